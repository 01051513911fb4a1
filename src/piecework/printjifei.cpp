#include "piecework/printjifei.h"

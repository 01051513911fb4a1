#include "piecework/yuangongcheck.h"

#include "piecework/countfrm.h"

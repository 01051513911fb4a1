#include "cutting/gongpiaoview.h"

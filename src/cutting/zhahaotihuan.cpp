#include "cutting/zhahaotihuan.h"

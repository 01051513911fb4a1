#include "piecework/barcodeform.h"

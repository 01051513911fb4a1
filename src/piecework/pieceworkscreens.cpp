#include "piecework/pieceworkscreens.h"

#include "common/screenregistry.h"

namespace piecework {

void registerScreens()
{
}

}  // namespace piecework

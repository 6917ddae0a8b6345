#include "model/version.h"

namespace tl {

const char* Version()
{
    return TL_VERSION;
}

} // namespace tl

#include "ui/app/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitTlinesResources()
{
    Q_INIT_RESOURCE(tlines);
}

namespace tl::ui {

void EnsureResources()
{
    static const bool done = (InitTlinesResources(), true);
    (void)done;
}

} // namespace tl::ui

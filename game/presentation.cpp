#include "game/presentation.h"

#include <atomic>

namespace {
cNullPresentation g_NullPresentation;
std::atomic<cPresentation*> g_Presentation{&g_NullPresentation};
} // namespace

cPresentation& Presentation() { return *g_Presentation.load(); }

void SetPresentation(cPresentation* presentation)
{
    g_Presentation.store(presentation ? presentation : &g_NullPresentation);
}

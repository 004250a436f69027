#include "orrery/app/program_state.h"

#include "orrery/platform/win32_platform.h"

namespace {

COptions g_options;
bool g_layoutSuspended = true;
orrery::CPlatform* g_machine = nullptr;

} // namespace

COptions& Options()
{
    return g_options;
}

bool IsLayoutSuspended()
{
    return g_layoutSuspended;
}

void SetLayoutSuspended(bool suspended)
{
    g_layoutSuspended = suspended;
}

orrery::CPlatform& Machine()
{
    static orrery::CWin32Platform live;
    return g_machine ? *g_machine : live.Get();
}

void UseMachine(orrery::CPlatform* platform)
{
    g_machine = platform;
}

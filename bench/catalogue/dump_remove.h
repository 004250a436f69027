// catalogue-dump --remove: removes one class from the live registry as the
// Remove command does, with ConfirmRemove off and the AppID question answered
// as told; messages and questions go to standard error, the removal report
// to standard output.
#pragma once

#include "orrery/platform/platform.h"

#include <string>

namespace orrery {

// 0 when the class key is gone afterwards, 1 when it is still there.
int RemoveClassFromDump(CPlatform& machine, const std::string& clsid, bool removeAppId);

}  // namespace orrery

#include "tray/Registration.h"

#include "framework/ClassInfo.h"
#include "tray/TrayIcon.h"

namespace vorlinde {

void RegisterTrayClasses() { vl::RegisterComponentClass(TTrayIcon::StaticClass()); }

}  // namespace vorlinde

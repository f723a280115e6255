#pragma once

#include <string>

// The configuration dialog for hosts that reach the library from another
// language and cannot install a frontend of their own.
namespace TLPaymentPlugIns::server {

// When no dialog frontend is installed yet, loads the Qt dialog module from
// modulePath, relative to the folder of the library or program that holds
// this code, and installs its frontend. Raises 100995 naming what is missing
// when the module cannot be loaded.
void EnsureDialogFrontend(const std::string& modulePath);

}  // namespace TLPaymentPlugIns::server

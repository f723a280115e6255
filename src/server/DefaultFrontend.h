#pragma once

// The configuration dialog for hosts that reach the library from another
// language and cannot install a frontend of their own.
namespace TLPaymentPlugIns::server {

// When no dialog frontend is installed yet, installs the Qt one if this
// build has it. Without one ShowConfigDialogue raises 100995 as usual.
void EnsureDialogFrontend();

}  // namespace TLPaymentPlugIns::server

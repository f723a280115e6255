/* The C interface's header compiles as strict C89 with every warning. */
#include <tlpaymentplugins.h>

int tlpp_header_compiles(void) { return TLPP_OK; }

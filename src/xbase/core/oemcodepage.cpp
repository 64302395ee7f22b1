#include "xbase/core/oemcodepage.h"

// Until the foundation's code page tables are linked in, bytes pass through
// unchanged; plain ASCII, which every catalogue key uses, is the same in both.
std::string OemBytesToAnsi(const std::string& s) { return s; }
std::string AnsiBytesToOem(const std::string& s) { return s; }

#pragma once

namespace zelvo {

// A figure from /proc/self/status ("VmRSS:", "VmHWM:"), in megabytes.
double StatusMegabytes(const char* field);

}  // namespace zelvo

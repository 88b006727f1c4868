#include "platform/deep_stack.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

void AllowDeepStack(unsigned long long bytes) {
#if defined(__unix__) || defined(__APPLE__)
  rlimit limit{};
  if (getrlimit(RLIMIT_STACK, &limit) != 0) return;
  rlim_t wanted = static_cast<rlim_t>(bytes);
  if (limit.rlim_max != RLIM_INFINITY && wanted > limit.rlim_max) wanted = limit.rlim_max;
  if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < wanted) {
    limit.rlim_cur = wanted;
    setrlimit(RLIMIT_STACK, &limit);
  }
#else
  (void)bytes;
#endif
}

// quandor-check: the command-line tool of the component.
#include <cstdio>

int main() {
  std::puts("quandor-check: not built yet");
  return 2;
}

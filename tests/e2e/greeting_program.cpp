// A tiny console program whose one visible text the end-to-end run patches.
#include <cstdio>

int main() {
  std::puts("Greetings from the unpatched build");
  return 0;
}

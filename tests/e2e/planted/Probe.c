/* Loads the DLLs named on its command line the ordinary way, as a program that does not
   restrict the search does: the planted test's proof that planted DLLs can be found. */
#include <windows.h>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) LoadLibraryA(argv[i]);
  return 0;
}

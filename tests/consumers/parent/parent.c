/* The program of a parent project: converts the leap second with the
 * library and, given --assert, runs into an assert() of its own, which fires
 * unless the parent's build defines NDEBUG. */
#include <assert.h>
#include <stdio.h>
#include <string.h>

#include <sec1996.h>

int main(int argc, char** argv) {
  if (argc > 1 && strcmp(argv[1], "--assert") == 0) {
    assert(argc == 1 && "the parent's assert() is active");
    puts("assert() is compiled out");
    return 0;
  }
  const Date1996 leapSecond = {1997, 6, 30, 23, 59, 60};
  const Sec1996 count = cvtToSec1996(leapSecond);
  const char* text = stringDate1996(count);
  printf("%lu %s\n", (unsigned long)count, text);
  return count == 47260800u && strcmp(text, "30-Jun-1997 23:59:59") == 0 ? 0 : 1;
}

/* A program of someone else's with a global of its own named time_str, the
 * name the library exports.  It does not include sec1996.h, whose declaration
 * of time_str would not compile beside this one.  Exits 0 if its text keeps
 * its contents through a call of getDateFromSecondsSince1996, 1 if the
 * library wrote into it. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

struct tm* getDateFromSecondsSince1996(uint32_t count);

char time_str[64] = "the program's own text";

int main(void) {
  getDateFromSecondsSince1996(47260801u);
  if (strcmp(time_str, "the program's own text") != 0) {
    puts("the library wrote into the program's time_str");
    return 1;
  }
  puts("the program's time_str kept its contents");
  return 0;
}

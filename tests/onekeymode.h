// The pause's one-key mode, as a test playing the rider sees it on the
// program's end of a pseudo-terminal.
#ifndef ONEKEYMODE_H
#define ONEKEYMODE_H

#include <termios.h>
#include <unistd.h>

// Wait up to five seconds for the terminal of slave to leave line mode, as
// the pause puts it. Return whether it did.
inline bool WaitForOneKeyMode(int slave) {
  for (int i = 0; i < 500; i++) {
    termios now;
    if (tcgetattr(slave, &now) == 0 && !(now.c_lflag & ICANON)) return true;
    usleep(10000);
  }
  return false;
}

#endif

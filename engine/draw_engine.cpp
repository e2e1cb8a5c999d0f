// The digit draw runs on the stage's controls. Until it is built the start button and
// the ticks do nothing.
#include "windows/draw/form1.h"

void Form1::Command1_Click() {}
void Form1::Timer1_Timer() {}
void Form1::Timer2_Timer() {}
void Form1::Timer3_Timer() {}
void Form1::Timer4_Timer() {}
void Form1::Timer5_Timer() {}
void Form1::Timer6_Timer() {}

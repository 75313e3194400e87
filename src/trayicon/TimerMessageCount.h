#pragma once

// How many WM_TIMER messages the shared timer window has handled in this process: what
// the program costs while it sits idle. A diagnostic of the shipped component, described
// in the README: when the environment variable ARDENIX_TIMER_COUNT_FILE names a file as
// the program ends, the count is written there (the idle benchmark reads it); otherwise
// it goes nowhere. Counting costs one increment per timer message.
void CountTimerMessage();
unsigned long long TimerMessagesHandled();

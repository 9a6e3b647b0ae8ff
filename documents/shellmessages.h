#pragma once

#include <QString>

// The message recorded for a failed opening, by the shell's result code (32 or less).
QString shellErrorMessage(int code);

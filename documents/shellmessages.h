#pragma once

#include <QString>

// The message recorded for a failed opening, by the shell's result code (32 or less).
QString shellErrorMessage(int code);

namespace FormFiller
{
enum class Failure;
}

// The shell's result code that stands for a form the filler could not fill.
int shellCodeOf(FormFiller::Failure failure);

// Why the desktop did not show a document, in words a user can act on.
QString openingFailure(int code);

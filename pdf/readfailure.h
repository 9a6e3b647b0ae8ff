#pragma once

#include <exception>

// Why a PDF file could not be read, from what qpdf or the bounds of our own reading threw:
// unpacked, it would be larger than allowed; it is protected by a password; or anything else,
// which makes it damaged to the user.
enum class ReadFailure { TooLarge, Protected, Damaged };

ReadFailure readFailure(const std::exception &e);

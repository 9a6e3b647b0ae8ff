#include "readfailure.h"

#include "boundedsink.h"

#include <qpdf/QPDFExc.hh>

ReadFailure readFailure(const std::exception &e)
{
    if (dynamic_cast<const TooLarge *>(&e))
        return ReadFailure::TooLarge;
    const auto *qpdfError = dynamic_cast<const QPDFExc *>(&e);
    if (qpdfError && qpdfError->getErrorCode() == qpdf_e_password)
        return ReadFailure::Protected;
    return ReadFailure::Damaged;
}

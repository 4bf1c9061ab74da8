// Writing a whole file so that a failure leaves the old file as it was and says why.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Replaces the file with `data`; throws FileCreateError (and keeps the old file) when it cannot.
void writeWholeFile(const QString& fileName, const QByteArray& data);

} // namespace platform

// The error classes of the platform layer. Each carries the text the user sees in the default
// error report; the programs raise them and let the handler guard report them.
#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

// Integer conversion of typed text.
class ConvertError : public Error {
public:
    explicit ConvertError(const QString& text);
};

// Floating point result that does not fit where it is stored.
class InvalidFloatOperation : public Error {
public:
    InvalidFloatOperation();
};

// A picture file that cannot be read as the picture kind its extension names.
class InvalidGraphic : public Error {
public:
    using Error::Error;
    static InvalidGraphic unknownExtension(const QString& extensionWithoutDot);
    static InvalidGraphic invalidBitmap();
};

// Drawing on a picture that holds no bitmap.
class InvalidGraphicOperation : public Error {
public:
    InvalidGraphicOperation();
};

class FileOpenError : public Error {
public:
    FileOpenError(const QString& fileName, const QString& reason);
};

class FileCreateError : public Error {
public:
    FileCreateError(const QString& fileName, const QString& reason);
};

class PrinterError : public Error {
public:
    using Error::Error;
    static PrinterError notPrinting();
};

class MediaError : public Error {
public:
    using Error::Error;
};

class DatabaseError : public Error {
public:
    using Error::Error;
};

} // namespace platform

namespace platform {

// A help file that is missing or cannot be read.
class HelpFileError : public Error {
public:
    explicit HelpFileError(const QString& fileName);
};

} // namespace platform

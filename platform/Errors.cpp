#include "platform/Errors.h"

namespace platform {

Error::Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

ConvertError::ConvertError(const QString& text)
    : Error(QStringLiteral("'%1' is not a valid integer value").arg(text))
{
}

InvalidFloatOperation::InvalidFloatOperation() : Error(QStringLiteral("Invalid floating point operation")) {}

InvalidGraphic InvalidGraphic::unknownExtension(const QString& extensionWithoutDot)
{
    return InvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(extensionWithoutDot));
}

InvalidGraphic InvalidGraphic::invalidBitmap()
{
    return InvalidGraphic(QStringLiteral("Bitmap image is not valid"));
}

InvalidGraphicOperation::InvalidGraphicOperation()
    : Error(QStringLiteral("Can only modify an image if it contains a bitmap"))
{
}

FileOpenError::FileOpenError(const QString& fileName, const QString& reason)
    : Error(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason))
{
}

FileCreateError::FileCreateError(const QString& fileName, const QString& reason)
    : Error(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason))
{
}

PrinterError PrinterError::notPrinting()
{
    return PrinterError(QStringLiteral("Printer is not currently printing"));
}

} // namespace platform

namespace platform {

HelpFileError::HelpFileError(const QString& fileName)
    : Error(QStringLiteral("Nie można otworzyć pliku pomocy \"%1\"").arg(fileName))
{
}

} // namespace platform

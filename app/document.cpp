#include "app/document.h"

void Document::setFileName(const QString& fileName) {
    fileName_ = fileName;
    emit fileNameChanged(fileName_);
}

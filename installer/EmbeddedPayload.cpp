#include "EmbeddedPayload.h"

#include "EmbeddedFiles.h"

QByteArray CEmbeddedPayload::Find(int id) const {
    for (const EmbeddedFile* file = kEmbeddedFiles; file->id != 0; ++file) {
        if (file->id == id)
            return QByteArray::fromRawData(reinterpret_cast<const char*>(file->begin),
                                           static_cast<qsizetype>(file->end - file->begin));
    }
    return QByteArray();
}

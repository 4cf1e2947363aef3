#include "LibraryGraphResources.h"

#include "ResourceLibrary.h"

std::string CLibraryGraphResources::GetString(int id) const {
    return library.GetString(id);
}

QImage CLibraryGraphResources::GetBitmap(int id) const {
    return library.Image(id);
}

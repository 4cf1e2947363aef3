#pragma once

#include "GraphResources.h"

class CResourceLibrary;

// The logo and the footer texts of the printed page, from the resource library.
class CLibraryGraphResources : public IGraphResources {
public:
    explicit CLibraryGraphResources(const CResourceLibrary& library) : library(library) {}
    std::string GetString(int id) const override;
    QImage GetBitmap(int id) const override;

private:
    const CResourceLibrary& library;
};

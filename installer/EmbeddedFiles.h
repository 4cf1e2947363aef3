#pragma once

// The table of the generated payload source: one row per payload id, ended by a row with id 0.
struct EmbeddedFile {
    int id;
    const unsigned char* begin;
    const unsigned char* end;
};

extern const EmbeddedFile kEmbeddedFiles[];

# cmake -DLIBRARY=path -P SealLibrary.cmake
# Appends the seal that the loader checks before loading (loader/LibrarySeal.h): "ZELTASEAL",
# the SHA-256 of the file as linked, and a line end. Runs right after every link.
file(SHA256 "${LIBRARY}" digest)
file(APPEND "${LIBRARY}" "ZELTASEAL${digest}\n")

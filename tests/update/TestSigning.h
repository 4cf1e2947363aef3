#pragma once

#include <QByteArray>

// A fresh Ed25519 key pair made at run time: the tests sign with it and hand its public half to
// the verifier themselves. The program itself trusts the maker's key alone.
struct TestKeyPair {
    QByteArray privatePem;
    QByteArray publicPem;
};

TestKeyPair MakeTestKeyPair();

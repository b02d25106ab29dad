// An environment variable set while the object lives; the value before (or
// its absence) comes back however the test ends.
#pragma once

#include <QByteArray>

struct ScopedEnv {
    ScopedEnv(const char* n, const QByteArray& value) : name(n) { qputenv(name, value); }
    ~ScopedEnv() { had ? qputenv(name, old) : qunsetenv(name); }
    const char* name;
    bool had = qEnvironmentVariableIsSet(name);
    QByteArray old = qgetenv(name);
};

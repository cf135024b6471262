// Shared by the fuzz targets: turning the fuzzer's bytes into the texts the program reads,
// and stopping with a readable message when a property does not hold.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "common/TextFile.h"

namespace kel::fuzz {

// The bytes as a file of the program would hold them: Shift-JIS, decoded as the readers
// decode files (invalid sequences become U+FFFD).
inline QString FileText(const uint8_t* data, size_t size) {
    return DecodeCp932(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
}

// A broken property is a finding: print it and abort so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what, const QString& detail = QString()) {
    std::fprintf(stderr, "FUZZ PROPERTY BROKEN: %s\n%s\n", what, qUtf8Printable(detail));
    std::abort();
}

#define KEL_FUZZ_CHECK(cond, detail)                        \
    do {                                                    \
        if (!(cond)) ::kel::fuzz::Fail(#cond, (detail));    \
    } while (0)

// Some parts of the core use Qt facilities that want an application object.
inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "kelfuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

}  // namespace kel::fuzz

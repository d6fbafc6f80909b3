#pragma once
// The one QApplication of the test program.

#include <QApplication>

namespace bv::test {

// The application main() made before the first test ran.
inline QApplication& App() { return *qApp; }

}  // namespace bv::test

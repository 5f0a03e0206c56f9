#pragma once
// The hourglass while the lanes work: a database held by another program makes the window wait
// for it, and the operator sees that it is waiting, not a frozen window. Message boxes put the
// arrow back over themselves.

#include <QCursor>
#include <QGuiApplication>

class CursorOcupado {
public:
    CursorOcupado() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QGuiApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado&) = delete;
    CursorOcupado& operator=(const CursorOcupado&) = delete;
};

#include "QtSingleApplication.h"

#include "LocalPeer.h"

// Qt 5 has no windowless QApplication any more; the flag stays for callers
// written against the classic interface.
QtSingleApplication::QtSingleApplication(int& argc, char** argv, bool /*GUIenabled*/)
    : QApplication(argc, argv)
    , m_peer(new LocalPeer(LocalPeer::defaultId(applicationFilePath()), this))
{
    connect(m_peer, &LocalPeer::messageReceived, this, &QtSingleApplication::messageReceived);
}

QtSingleApplication::QtSingleApplication(const QString& id, int& argc, char** argv)
    : QApplication(argc, argv)
    , m_peer(new LocalPeer(id, this))
{
    connect(m_peer, &LocalPeer::messageReceived, this, &QtSingleApplication::messageReceived);
}

bool QtSingleApplication::isRunning()
{
    return m_peer->isClient();
}

QString QtSingleApplication::id() const
{
    return m_peer->id();
}

bool QtSingleApplication::sendMessage(const QString& message, int timeout)
{
    return m_peer->sendMessage(message, timeout);
}

#pragma once

#include "DestinationIconCache.h"
#include "ServerStateBar.h"
#include "UserDefault.h"

#include <QDBusContext>
#include <QList>
#include <QMutex>
#include <QPointer>
#include <QScopeGuard>
#include <QVariantMap>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class ISecurityPrinterPage;
class JobWidget;
class RefreshController;
struct RefreshResult;
class TweakDestWidget;
class QAction;
class QMenu;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace Cups {
class HTTP;
}

// The destination browser: the tree of printers and classes, the facts of the
// selected one, and every action on destinations. Its D-Bus adaptor answers
// callers through the context of this object.
class PrintersWidget : public QWidget, public QDBusContext
{
    Q_OBJECT

public:
    explicit PrintersWidget(QWidget* parent = nullptr);
    ~PrintersWidget() override;

    void saveSettings();
    QMenu* viewMenu();
    JobWidget* jobWidget() const;

    QAction* reloadAction() const;
    QAction* playAction() const;
    QAction* purgeAction() const;
    QAction* addAction() const;
    QAction* editAction() const;
    QAction* deleteAction() const;
    QAction* userDefaultAction() const;
    QAction* defaultAction() const;
    QAction* testPageAction() const;
    QAction* showLocalAction() const;
    QAction* showRemoteAction() const;
    QAction* showNotSharedAction() const;

    QTreeWidget* destinationTree() const;
    QTabWidget* tabWidget() const;
    QTimer* refreshTimer() const;
    // The line over the tree that says when the scheduler does not answer.
    ServerStateBar* stateBar() const;
    // Refreshes off the window's thread now rather than at the next tick.
    void refreshSoon();

signals:
    // A refresh off the window's thread was answered (or failed) and shown.
    void refreshed();

public slots:
    void load();
    void DisplayDest(QString queueName, bool showJobsTab = false);
    void updateTimerStopRequest();
    void updateTimerStartRequest();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    virtual void currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    virtual void itemDoubleClicked(QTreeWidgetItem* item, int column);
    virtual void reloadDests();
    virtual void addPrinter();
    virtual void play();
    virtual void editPrinter();
    virtual void deletePrinter();
    virtual void refreshState();
    virtual void purge();
    virtual void setUserDefault();
    virtual void setDefault();
    virtual void setMembers();
    virtual void showLocal();
    virtual void showRemote();
    virtual void showNotShared();
    virtual void printTestPage();
    virtual void showUpdateDialog();
    virtual void printerAdded(const QString& name);
    virtual void printerRemoved(const QString& name);
    virtual void queueChanged(const QString& name);
    void currentTabChanged();
    void requestRefresh();

private:
    struct ServerView;

    QAction* createAction(const QString& iconName, const QString& text, const char* slot,
                          const QString& emblem = QString());
    QAction* createFilterAction(const QString& iconName, const QString& text, const char* slot, const QString& key,
                                const QString& emblem = QString());
    void showContextMenu(const QPoint& globalPos);

    bool isDestination(const QTreeWidgetItem* item) const;
    bool isClass(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* currentDestination() const;
    // Re-reads the selected destination after an action changed it.
    void refreshSelection();
    // Fills the panes and actions from the item's attributes, asking nothing.
    void showDestination(QTreeWidgetItem* current);
    void clearInformation();
    // Marks the items as in use by a reload until the returned guard ends.
    QScopeGuard<std::function<void()>> holdItemsForReload();
    void applyRefresh(const RefreshResult& result);
    // Replaces the tree's items by those of the destinations known now and
    // selects the same destination again; reselect re-reads it.
    void rebuildTree(bool reselect);
    // Whether the refresh found the scheduler away: then what is shown is
    // the last known state and no request is sent for a selection.
    bool serverDown() const;
    // Whether the last request on the window's connection got no answer; if
    // so, says so over the tree and has the refresh find out when it answers.
    bool reportedNoAnswer(Cups::HTTP* connection);
    void setServerProblem(ServerStateBar::Problem problem, const QString& server);

    const QList<QVariantMap>& viewDestinations();
    const UserDefault& viewUserDefault();
    void applyDestination(QTreeWidgetItem* item, const QVariantMap& attributes, bool isClass);
    QVariantMap fetchAttributes(Cups::HTTP* connection, const QString& name, bool isClass, bool all) const;

    void showTabs(bool destination, bool isClass);
    void fillInformation(const QVariantMap& attributes, bool isClass);
    void appendParagraph(const QString& text);
    void appendLine(const QString& label, const QString& value);
    void fillMembers(const QVariantMap& attributes);
    void enableActions(const QVariantMap& attributes);
    void resetActions();
    void setPlayAction(const QString& text, const QString& iconName);

    QSplitter* m_splitter = nullptr;
    QTreeWidget* m_tree = nullptr;
    QTabWidget* m_tabs = nullptr;
    QPointer<QWidget> m_infoPage;
    QTextEdit* m_infoText = nullptr;
    // The destination the Info pane shows and where it was scrolled to before
    // it was last cleared, so that a refresh keeps the reader's place.
    QString m_infoDestination;
    int m_infoScroll = 0;
    QPointer<JobWidget> m_jobWidget;
    QPointer<QTreeWidget> m_membersList;
    TweakDestWidget* m_tweakWidget = nullptr;
    QList<ISecurityPrinterPage*> m_securityPages;
    QTimer* m_refreshTimer = nullptr;
    QPointer<QMenu> m_viewMenu;
    ServerStateBar* m_stateBar = nullptr;
    RefreshController* m_refresher = nullptr;
    // Changes with every selection, tab and job filter change: a refresh
    // asked for before describes what is no longer shown.
    quint64 m_selectionSerial = 0;
    // After a failed refresh the next one reads everything.
    bool m_forceRefresh = true;
    // The destinations as last read, so that a selection change need not
    // read them again.
    std::optional<QList<QVariantMap>> m_destinations;

    QAction* m_playAction = nullptr;
    QAction* m_reloadAction = nullptr;
    QAction* m_purgeAction = nullptr;
    QAction* m_addAction = nullptr;
    QAction* m_editAction = nullptr;
    QAction* m_deleteAction = nullptr;
    QAction* m_userDefaultAction = nullptr;
    QAction* m_defaultAction = nullptr;
    QAction* m_testPageAction = nullptr;
    QAction* m_showLocalAction = nullptr;
    QAction* m_showRemoteAction = nullptr;
    QAction* m_showNotSharedAction = nullptr;

    QTreeWidgetItem* m_classesItem = nullptr;
    QTreeWidgetItem* m_printersItem = nullptr;

    // Held for the whole of a reload, and by a selection change outside one:
    // a password prompt runs an event loop in which a spooler signal may ask
    // for a reload, which must not delete the items in use.
    QMutex m_reloadMutex;
    bool m_reloading = false;
    bool m_selecting = false;
    // What one reload or selection change learnt of the server, so that the
    // re-selection after a reload asks for nothing the reload already has.
    std::unique_ptr<ServerView> m_view;
    // The last user default learnt, and what it followed from: asked again
    // only when that changed, which spares every refresh a request.
    UserDefault m_userDefault;
    QString m_userDefaultSources;
    DestinationIconCache m_icons;
};

#pragma once

#include "JobRecord.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTreeWidget>

#include <cups/ipp.h>

class QAction;

namespace Cups {
class HTTP;
}

// The jobs of one destination, with the actions that act on the current job.
class JobWidget : public QTreeWidget
{
    Q_OBJECT

public:
    enum Column {
        IdColumn,
        TitleColumn,
        UserColumn,
        SizeColumn,
        TimeColumn,
        StateColumn,
    };

    explicit JobWidget(QWidget* parent = nullptr);

    // Shows the jobs of dest (a printer or a class); a null connection or an
    // empty name leaves the list empty.
    void load(QPointer<Cups::HTTP> connection, const QString& dest);
    // Shows jobs of dest read elsewhere (off the window's thread); the list
    // is rebuilt only when they differ from those shown.
    void showLoaded(QPointer<Cups::HTTP> connection, const QString& dest, const QList<JobRecord>& jobs);

    // The job actions, in the order in which menus show them. Each acts on the
    // current job and reloads the list.
    QAction* cancelAction = nullptr;
    QAction* holdAction = nullptr;
    QAction* releaseAction = nullptr;
    QAction* moveAction = nullptr;
    QAction* reprintAction = nullptr;
    QAction* showCompletedAction = nullptr;

signals:
    void jobsStateChanged();

public slots:
    // Enables the actions that fit the state of current.
    virtual void currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);

protected:
    void changeEvent(QEvent* event) override;

private:
    QAction* addJobAction(const QString& iconName, const QString& text);
    void reload();
    void showJobs(const QList<JobRecord>& jobs);
    void fitColumns();

    void cancelJob();
    void holdJob();
    void releaseJob();
    void moveJob();
    void reprintJob();

    http_t* serverHandle() const;
    // Sends one job operation with password prompting; true on success.
    bool sendJobOperation(ipp_op_t operation, int jobId, const QByteArray& targetUri = QByteArray());
    // Runs the operation on the current job and tells the user when it failed.
    void runJobOperation(ipp_op_t operation, int jobId, const QString& failure,
                         const QByteArray& targetUri = QByteArray());
    int currentJobId() const;

    QPointer<Cups::HTTP> m_connection;
    QString m_dest;
    QList<JobRecord> m_shown;
    // Widths of the texts shown, in the current font.
    QHash<QString, int> m_textWidths;
};

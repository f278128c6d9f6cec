#pragma once

#include <QHash>
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
    struct Job;

    QAction* addJobAction(const QString& iconName, const QString& text);
    void reload();
    // collection: "printers" or "classes"; false when the request failed.
    bool fetchJobs(http_t* http, const char* collection, QList<Job>* jobs);
    void showJobs(const QList<Job>& jobs);
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
    // Widths of the texts shown, in the current font.
    QHash<QString, int> m_textWidths;
};

#pragma once

#include "app/WorkerSignIn.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// "学员：" at start on a centre's server: the centre's workers to choose from,
// or a new name; the PIN of a worker who has one, or the PIN a new worker
// sets. It shows what WorkerSignIn decides; accepted once a worker is signed
// in, rejected when the user quits.
class WorkerChooser : public QDialog
{
    Q_OBJECT

public:
    explicit WorkerChooser(WorkerSignIn &signIn, QWidget *parent = nullptr);

    // The worker chosen or created, once accepted.
    qint64 workerId() const { return m_workerId; }
    QString workerName() const { return m_workerName; }

    // Lists the workers anew and clears the fields (again after a refusal
    // outside the dialog, such as the worker practising already).
    void reset(const QString &message = QString());

    QListWidget *list() const { return m_list; }
    QLineEdit *nameField() const { return m_name; }
    QLineEdit *pinField() const { return m_pin; }
    QLabel *messageLabel() const { return m_message; }
    QPushButton *enterButton() const { return m_enter; }
    QPushButton *createButton() const { return m_create; }
    QPushButton *quitButton() const { return m_quit; }

private:
    void rowChosen();
    void enter();
    void create();
    void finish(const WorkerSignIn::Outcome &outcome);

    WorkerSignIn &m_signIn;
    QListWidget *m_list = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_pin = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_enter = nullptr;
    QPushButton *m_create = nullptr;
    QPushButton *m_quit = nullptr;
    qint64 m_workerId = 0;
    QString m_workerName;
};

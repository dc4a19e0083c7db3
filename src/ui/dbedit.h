#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

class DataSource;

// An edit box and a memo bound to one field of a dataset's current row: they show it as
// the dataset moves or changes, and, when the user leaves them after typing, write the
// text into the row (putting a table row into edit state first). A text the field cannot
// take is shown in the error box and the box goes back to the field's value. An edit box
// bound to a text column takes no more characters than the column holds, so that what is
// typed is stored whole; a memo takes any length.
class FieldLink : public QObject {
    Q_OBJECT
public:
    FieldLink(QWidget* box, std::function<QString()> read,
              std::function<void(const QString&)> show);
    void bind(DataSource* source, const QString& field);
    void refresh();
    void write();
    DataSource* source() const { return m_source; }
    const QString& field() const { return m_field; }

private:
    QWidget* m_box;
    std::function<QString()> m_read;
    std::function<void(const QString&)> m_show;
    DataSource* m_source = nullptr;
    QString m_field;
    bool m_showing = false;
};

class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);
    void setDataSource(DataSource* source, const QString& field);
    FieldLink* link() const { return m_link; }

private:
    FieldLink* m_link;
};

class DBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DBMemo(QWidget* parent = nullptr);
    void setDataSource(DataSource* source, const QString& field) { m_link->bind(source, field); }
    FieldLink* link() const { return m_link; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    FieldLink* m_link;
};

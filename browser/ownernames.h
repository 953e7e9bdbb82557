#pragma once

#include <QHash>
#include <QString>

// User and group names by id, each looked up once: a listing asks for the
// same few ids again and again, and the user database can be slow.
class OwnerNames
{
public:
    QString user(unsigned uid);
    QString group(unsigned gid);

private:
    QHash<unsigned, QString> m_users;
    QHash<unsigned, QString> m_groups;
};

#include "ownernames.h"

#include "filetext.h"

QString OwnerNames::user(unsigned uid)
{
    auto found = m_users.constFind(uid);
    if (found == m_users.constEnd())
        found = m_users.insert(uid, ownerName(uid));
    return *found;
}

QString OwnerNames::group(unsigned gid)
{
    auto found = m_groups.constFind(gid);
    if (found == m_groups.constEnd())
        found = m_groups.insert(gid, groupName(gid));
    return *found;
}

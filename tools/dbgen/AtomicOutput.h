#pragma once

#include <QString>

// A file that appears under its final name only when it is complete: the
// content is written to "<final>.part" and renamed at commit(). A destroyed,
// uncommitted output removes its part file, so an interrupted build leaves no
// half file under the final name.
class AtomicOutput
{
public:
    // Removes a part file left by an earlier, interrupted run.
    explicit AtomicOutput(QString finalPath);
    ~AtomicOutput();
    AtomicOutput(const AtomicOutput &) = delete;
    AtomicOutput &operator=(const AtomicOutput &) = delete;

    QString partPath() const { return m_partPath; }
    QString finalPath() const { return m_finalPath; }
    // Renames the part file to the final name. With replace, an existing final
    // file is removed first; without, an existing final file is an error.
    // Throws DataError.
    void commit(bool replace = false);

private:
    QString m_finalPath;
    QString m_partPath;
    bool m_committed = false;
};

#pragma once
// Folder texts as the window keeps them (always ending in a separator), and file names.

#include <QDir>
#include <QFileInfo>
#include <QString>

// "C:\mibs" -> "C:\mibs\" (on Unix "/mibs" -> "/mibs/"); a text already ending in a separator stays.
inline QString WithTrailingSeparator(const QString& folder) {
    if (folder.endsWith('/') || folder.endsWith('\\')) return folder;
    return folder + QDir::separator();
}

// The folder of a file, with its trailing separator.
inline QString FolderOf(const QString& fileName) {
    return WithTrailingSeparator(QDir::toNativeSeparators(QFileInfo(fileName).absolutePath()));
}

// A file name typed without extension gets extension: "/a/b", "log" -> "/a/b.log"; "/a/b.txt" stays.
inline QString WithDefaultExtension(const QString& fileName, const QString& extension) {
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) return fileName;
    return fileName + "." + extension;
}

#pragma once
// Opening a page in the user's default web browser.

class QUrl;

namespace plat {

// Opens url (a web address or a local file) in the default browser, without waiting for
// it. False when the url is empty or invalid, or the system found no program to open it.
bool OpenInBrowser(const QUrl& url);

} // namespace plat

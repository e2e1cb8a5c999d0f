# The vendor: whoever publishes this build of Tirvex. Every place that names the vendor
# reads it from here: the about window's five contact lines, the Windows version record
# and installer, the Debian package and its copyright file, the AppStream metadata, and the
# written offer of Qt's source in the downloads.
#
# A vendor makes its own release by changing the values below (or by passing a copy of
# this file as -DTIRVEX_VENDOR_FILE=<file>). The defaults are visibly no real vendor's:
# example.org addresses and 555 numbers, which the build points out in one line.
#
# A value is any text of one line, Persian or not; each file it is written into gets it
# with that file's own escaping. This is a CMake file, so a value's own " \ and $ are
# written \" \\ and \$ here.
#
# Tirvex's own terms of use are the vendor's too: licences/Tirvex.txt beside this file,
# shown by the installer and carried in the downloads.
set(TIRVEX_VENDOR_NAME "Tirvex developers")
set(TIRVEX_VENDOR_EMAIL "tirvex@example.org")
set(TIRVEX_VENDOR_WEBLOG "blog.example.org/tirvex")
set(TIRVEX_VENDOR_WEBSITE "www.example.com")
# The first number also takes messages (the about window says so beside it).
set(TIRVEX_VENDOR_PHONE "202 555 0147")
set(TIRVEX_VENDOR_PHONE2 "202 555 0163")
# Where the program, its source offer and its screenshots are published.
set(TIRVEX_VENDOR_HOMEPAGE "https://example.org/tirvex")
# The Debian package's maintainer: a name and an e-mail address.
set(TIRVEX_VENDOR_MAINTAINER "Tirvex developers <tirvex@example.org>")
# The postal address the written offer of Qt's source names, lines joined with ", ".
set(TIRVEX_VENDOR_ADDRESS "Tirvex developers, 123 Example Street, Example City, Nowhere")
# The AppStream id: the vendor's domain reversed, then tirvex.
set(TIRVEX_VENDOR_APPSTREAM_ID "org.example.tirvex")

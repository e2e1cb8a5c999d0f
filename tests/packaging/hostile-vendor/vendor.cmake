# A vendor whose name is Persian and whose values carry every character that means
# something in one of the formats they are written into: & ' ; < > ( ) | ? % # ` " \ $.
# The tests build from it and read each output back with a parser.
set(TIRVEX_VENDOR_NAME "شرکت «قرعه» & پسران; <Co> 'A' (B) | C? 100% #1 `x` \"q\" \\ \$HOME")
set(TIRVEX_VENDOR_EMAIL "draws&co'x;y<z>(1)|2?3%4#5`6`\"7\"\\8\$9@kavir.test")
set(TIRVEX_VENDOR_WEBLOG "kavir.test/blog?a=1&b='2';(3)|<4>%5#6`7`")
set(TIRVEX_VENDOR_WEBSITE "www.kavir.test/فروشگاه?q=\"x\"&y=\$z")
set(TIRVEX_VENDOR_PHONE "۰۲۱ ۱۱۱۱ ۲۲۲۲ (داخلی ۳) & `ext`; 'x' | <y>")
set(TIRVEX_VENDOR_PHONE2 "021 3333 4444 #5 %6 ?7 \\8 \$9")
set(TIRVEX_VENDOR_HOMEPAGE "https://shop.kavir.test/app?id=1&lang=fa;x=`id`|(y)<z>'%23#frag")
set(TIRVEX_VENDOR_MAINTAINER "شرکت قرعه & پسران <draws@kavir.test>")
set(TIRVEX_VENDOR_ADDRESS "شرکت قرعه، خیابان «کویر» ۷ & (طبقه ۲); یزد | <ایران> 'x' ?%#`\"\\\$")
set(TIRVEX_VENDOR_APPSTREAM_ID "test.kavir.tirvex")

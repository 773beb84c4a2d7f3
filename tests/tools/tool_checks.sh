#!/usr/bin/env bash
# tool_checks.sh SUITE BUILD: the tools' checks (grade, sheet, print, install) as cases EXIT
# PATTERN COMMAND: COMMAND, run by bash in a scratch folder with no standard input (script(1)
# would eat the rest), exits EXIT and its output and errors together match the PATTERN.
set -uo pipefail
suite=$1 build=$2 here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 2
failures=0
sheet() { "$VANTREL_SHEET" "$@"; }
grade() { "$VANTREL_GRADE" "$@"; }
run() {
    for ((; $# >= 3; )); do
        out=$(eval "$3" 2>&1 </dev/null) status=$?
        [[ $status == "$1" && $out == $2 ]] ||
            printf 'FAIL %d: %s\n  exit %s (expected %s), said: %s\n' $((++failures)) "$3" $status "$1" "${out:0:800}"
        shift 3
    done
}

# FOLDER's sheets in the CSV against what was drawn: ID, counts, status, q1..q100 and m1..m100
# (the review's columns after them aside).
as_drawn() {
    diff <(awk -F, -v key="$(tr -d ' \r' <"$1/key.txt" | tr '\n' ,)" 'BEGIN { split(key, k, ",") } NR > 1 {
        line = $1 "," $2 "," $3 "," $4 "," $5 ",reported"
        for (q = 1; q <= 100; ++q) line = line "," (length($(5 + q)) >= 2 ? "E" : $(5 + q) == k[q] ? "C" : "W")
        for (q = 6; q <= 105; ++q) line = line "," $q
        print line }' "$1/truth.csv" | sort) <(grep "^$1/img" "$2" | cut -d, -f1-206 | sed 's#^[^,]*/##' | sort) | head -n 20
}
batch() { # NAME KEY JOBS: grades every sheet of the suite into NAME.*
    grade --key "$2" --jobs "$3" --csv $1.csv --results $1.txt --annotate "$1 ภาพ" "${sheets[@]}" >$1.out 2>$1.err
}
same() { for e in out err csv txt; do cmp $1.$e $2.$e; done && diff -r "$1 ภาพ" "$2 ภาพ"; }
statuses() { tail -n +2 "$1.csv" | cut -d, -f6 | sort | uniq -c | awk '{ printf "%s=%s ", $2, $1 }'; }
summary() { # the last line of standard error, as the CSV gives it
    awk -F, 'NR > 1 && $6 != "refused" { s += $3; lo = n && lo < $3 ? lo : $3; hi = n++ && hi > $3 ? hi : $3 }
        NR > 1 && $207 != "" { r++ } END {
        printf "%d sheets: %d graded (%d reported, 0 unreported), %d refused, %d to review; correct: mean %.1f, range %d-%d\n",
            NR - 1, n, n, NR - 1 - n, r, s / n, lo, hi }' "$1"
}

grade_suite() {
    sheet batch --count 12 --seed 7 --format jpg --out s >/dev/null
    local b="bad ห้อง 1" k="--key s/key.txt"
    mkdir -p links "$b" other blocked/img002.png && ln s/img001.jpg links/hard.png && cp -r s before
    python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); n = len(b) // 2
b[n:n + 64] = bytes(range(64)); b[n + 32:n + 34] = b"\xff\x02"; sys.stdout.buffer.write(b)' s/img003.jpg >damaged.jpg
    convert s/img003.jpg -colorspace Gray grey.jpg && { head -c 30000 grey.jpg && printf '\xff\xd9'; } >damaged-grey.jpg
    head -c 3000 s/img002.jpg >"$b/truncated.jpg" && echo "not an image" >"$b/text.jpg"
    sheet fill -o "$b/small.png" --id 00000001 --answers a && convert "$b/small.png" -crop 600x400+0+0 "$b/small.png"
    sheet fill -o "$b/nomark.png" --id 00000001 --answers a &&
        convert "$b/nomark.png" -fill white -draw "rectangle 670,395 780,505" "$b/nomark.png"
    cp s/img004.jpg "$b/นักเรียน 4.jpg" && cp s/img005.jpg other/img003.jpg
    sed '99s/^./x/' s/key.txt >gap.txt && tr -d '\n' <s/key.txt >cr.txt
    sheets=(s/img001.jpg "$b/truncated.jpg" s/img002.jpg "$b/text.jpg" "$b/small.png" "$b/nomark.png"
        s/img0{03..12}.jpg "$b/นักเรียน 4.jpg" other/img003.jpg)
    # Usage errors and keys that are none exit 2 before anything is graded or written.
    run 2 '*no key: give --key KEYFILE*' 'grade s/img001.jpg' 2 '*no sheets given*' "grade $k" \
        2 '*--jobs needs a whole number*' "grade $k --jobs 0 s/img001.jpg" \
        2 '*missing.txt: No such file or directory*' 'grade --key missing.txt s/img001.jpg' \
        2 '*cannot read the key file s: Is a directory*' 'grade --key s s/img001.jpg' \
        2 '*key file /dev/zero: it is a character device*' 'grade --key /dev/zero --csv x.csv s/img001.jpg' \
        2 '*key file s/img001.jpg *it is no answer key' 'grade --key s/img001.jpg --csv x.csv s/img001.jpg' \
        2 '*คำเตือน!! ยังไม่มีการใส่เฉลยใดๆ*' 'grade --key /dev/null --csv x.csv s/img001.jpg' \
        2 '*cannot open for writing no/x.csv: No such file or directory' "grade $k --csv no/x.csv s/img001.jpg" \
        2 '*--csv s/img001.jpg names an image file*' "grade $k --csv s/img001.jpg s/img002.jpg" \
        2 '*--results s/img001.jpg names an image file*' "grade $k --results s/img001.jpg s/img002.jpg" \
        2 '*would replace the sheet s/img001.jpg' "grade $k --annotate s --annotate-format jpg s/img001.jpg" \
        2 '*would replace the sheet links/hard.png' "grade $k --annotate links --quiet links/hard.png" \
        2 '*would replace the key s/key.txt' "grade $k --csv ./s/key.txt s/img001.jpg" \
        2 '*a.txt and --csv a.txt are the same file' "grade $k --csv a.txt --results ./a.txt s/img001.jpg" \
        2 '*--audit ./s/key.txt would replace the key*' "grade $k --class c.vantrel --audit ./s/key.txt s/img001.jpg" \
        2 '*--accept takes only: second*' "grade $k --accept first s/img001.jpg" \
        0 '' 'diff -r s before && [[ ! -e x.csv && ! -e a.txt && ! -e c.vantrel ]]' \
        0 '*--annotate-format*Examples*' 'grade --help'
    # A key or class list that is no regular file is refused unread: a FIFO with no writer never blocks.
    mkfifo fifo && yes a | head -c 70000 >long.txt
    run 2 '*key file fifo: it is a FIFO*' 'timeout 60 "$VANTREL_GRADE" --key fifo s/img001.jpg' \
        2 '*roster fifo: it is a FIFO*' "timeout 60 \"\$VANTREL_GRADE\" $k --roster fifo s/img001.jpg" \
        2 '*long.txt is longer than 64 KiB*' 'grade --key long.txt s/img001.jpg'
    # Whatever its name, a scan is no output (a copier's PDF, a scan without an extension, a picture
    # in --annotate's folder that no run made); the report and the pictures replace their own.
    img2pdf s/img001.jpg -o c1.pdf && img2pdf s/img002.jpg -o c2.pdf && cp s/img003.jpg scan0001 &&
        mkdir foreign && cp s/img005.jpg foreign/img001.png && mkdir kept && cp -r c1.pdf scan0001 foreign kept
    run 2 '*--report c1.pdf holds a PDF that vantrel-grade did not make*' "grade $k --report c1.pdf c2.pdf" \
        2 '*--slips c1.pdf holds a PDF*' "grade $k --slips c1.pdf c2.pdf" \
        2 '*--csv scan0001 holds a JPEG image*' "grade $k --csv scan0001 s/img001.jpg" \
        2 '*foreign/img001.png is there and vantrel-grade did not write it*' "grade $k --annotate foreign s/img001.jpg" \
        0 '' 'cmp c1.pdf kept/c1.pdf && cmp scan0001 kept/scan0001 && diff -r foreign kept/foreign' \
        0 '' "for i in 1 2; do grade $k -q --report r.pdf --annotate mine s/img001.jpg &>/dev/null || exit; done" \
        0 '*s/./img001.jpg is the same file as s/img001.jpg: graded once*2 sheets: 2 graded*' \
        "grade $k s/img001.jpg s/./img001.jpg s/img002.jpg"
    # Killed mid-run, the grader leaves no scratch file and the old CSV; killed outright (SIGKILL),
    # its scratch file stays until the next write beside it.
    mkdir big && for i in {1..150}; do cp s/img00$((i % 9 + 1)).jpg big/$i.jpg; done && echo old >big.csv
    killed() { # SIGNAL
        "$VANTREL_GRADE" $k --jobs 1 --csv big.csv big/*.jpg &>/dev/null &
        local pid=$!
        while kill -0 $pid 2>/dev/null && ! compgen -G '.big.csv.vantrel-*' >/dev/null; do sleep 0.05; done
        kill -$1 $pid && wait $pid
    }
    run 143 '' 'killed TERM' 0 'old' "ls -A | awk '/vantrel-/'; cat big.csv" 137 '' 'killed KILL' \
        0 1 "ls -A | awk '/^\\.big\\.csv\\.vantrel-/ { n++ } END { print n + 0 }'" \
        0 '' "grade $k -q --csv big.csv s/img001.jpg &>/dev/null; ls -A | awk '/vantrel-/'"
    # A failed write is told with its reason, whatever --quiet says; a damaged JPEG is refused as such.
    run 1 '*img002.png: Is a directory*/dev/full: No space left on device*' \
        "grade $k --quiet --csv /dev/full --annotate blocked s/img001.jpg s/img002.jpg >/dev/null" \
        0 '' '[[ -c /dev/full ]]' 1 0 "grade $k damaged.jpg damaged-grey.jpg 2>&1 | grep -c '^qt\.\|^Corrupt'" \
        1 '*damaged.jpg  refused: *ข้อมูลภาพเสียหาย*damaged-grey.jpg  refused: *ข้อมูลภาพเสียหาย*' \
        "grade $k damaged.jpg damaged-grey.jpg"
    # A page that is no answer sheet, the pages of a TIFF from where its chain breaks, a PDF page past
    # its time or memory: each refused with its reason, the others graded, exit 1.
    convert -size 827x1169 xc:black black.png && convert s/img00{1..5}.jpg -colorspace Gray -compress lzw five.tif
    python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(); a = struct.unpack("<I", d[4:8])[0]
for _ in range(3): a = struct.unpack("<I", d[a + 2 + 12 * struct.unpack("<H", d[a:a + 2])[0]:][:4])[0]
sys.stdout.buffer.write(d[:a + 5])' five.tif >cut.tif
    python3 -c 'import sys, zlib  # a million tiny triangles through forms nested five deep
o = [b"<< /Type /Catalog /Pages 2 0 R >>", b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>", b""]
def form(body, res=b""): c = zlib.compress(body); return b"<< /Subtype /Form /BBox [0 0 600 850] %s /Length %d /Filter /FlateDecode >>\nstream\n%s\nendstream" % (res, len(c), c)
o.append(form(b"".join(b"%d 0 m %d 0 l %d 1 l f " % (i, i + 1, i) for i in range(10))))
for k in range(6): o.append(form(b"".join(b"q 1 0 0 1 %d %d cm /F Do Q " % (i, i) for i in range(10 if k < 5 else 1)), b"/Resources << /XObject << /F %d 0 R >> >>" % len(o)))
o[2] = b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents %d 0 R /Resources << /XObject << /F %d 0 R >> >> >>" % (len(o), len(o) - 1)
o[-1] = o[-1].replace(b"/Subtype /Form /BBox [0 0 600 850] ", b"")
p = b"%PDF-1.4\n"; at = []
for i, x in enumerate(o): at.append(len(p)); p += b"%d 0 obj\n%s\nendobj\n" % (i + 1, x)
p += b"xref\n0 %d\n0000000000 65535 f \n%strailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(o) + 1, b"".join(b"%010d 00000 n \n" % a for a in at), len(o) + 1, len(p))
sys.stdout.buffer.write(p)' >heavy.pdf
    run 1 '*black.png  refused: หน้านี้ไม่ใช่กระดาษคำตอบ*s/img001.jpg  ID*' "grade $k black.png s/img001.jpg" \
        1 '*cut.tif#3  ID*cut.tif#4  refused: cut.tif: หน้า 4 เป็นต้นไปอ่านไม่ได้*' "grade $k cut.tif" \
        1 '*heavy.pdf  refused: *เกิน 1 วินาที*' "VANTREL_PDF_PAGE_LIMITS=1,4096 grade $k heavy.pdf" \
        1 '*heavy.pdf  refused: *เกิน 64 MB*s/img001.jpg  ID*' "VANTREL_PDF_PAGE_LIMITS=600,64 grade $k heavy.pdf s/img001.jpg"
    # Refused sheets never stop the others, and exit 1; the threads change no byte.
    run 1 '' "batch one s/key.txt 1" 1 '' "batch two s/key.txt 2" 0 '' 'same one two' \
        0 'refused=4 reported=14 ' 'statuses one' 0 "$b/truncated.jpg" 'sed -n 3p one.csv | cut -d, -f1' \
        0 '' "awk -F, 'NF != 216' one.csv" 0 ",,,,,refused$(printf ',%.0s' {1..210})" \
        "grep ,refused, one.csv | sed 's/^[^,]*//' | sort -u" \
        0 '' 'as_drawn s one.csv' 0 '' "grep -q ,E, one.csv && cut -d, -f107-206 one.csv | grep -q ,," \
        0 '*ภาพมีขนาดเล็กเกินไป*ไม่พบเครื่องหมายอ้างอิง*' 'cat one.err' 0 14 'wc -l <one.txt' \
        1 0 "grep -c \$'\\r' one.err" 0 '' 'diff <(tail -n 1 one.err) <(summary one.csv)' \
        0 '' 'grade --key cr.txt --quiet --csv cr.csv s/img001.jpg >/dev/null 2>&1 && diff cr.csv <(head -2 one.csv)'
    # An annotated sheet a graded sheet, named after it (names that meet get -2), in the overlay's colours.
    run 0 "img001.png img002.png img003-2.png img003.png $(printf 'img0%s.png ' {04..12})นักเรียน 4.png " \
        "LC_ALL=C ls 'one ภาพ' | tr '\n' ' '" 0 '' "cmp 'one ภาพ/img004.png' 'one ภาพ/นักเรียน 4.png'" \
        0 '#000000 #00FF00 #00FFFF ?(#FF0000 )?(#FF6600 )#FFFFFF ' \
        "convert 'one ภาพ/img001.png' -unique-colors txt:- | tail -n +2 | awk '{ print \$3 }' | sort | tr '\n' ' '"
    run 0 '827 1169 827 1169 ' "for f in jpg tif; do grade $k -q --annotate a\$f --annotate-format \$f s/img001.jpg &>/dev/null
        identify -format '%w %h ' a\$f/img001.\$f; done"
    # A key with a gap before its last question: the gap stays ungraded, sheets are reported.
    run 1 '' "batch gap1 gap.txt 1" 0 'refused=4 reported=14 ' 'statuses gap1' \
        0 '' "awk -F, 'NR > 1 && \$6 == \"reported\" && (\$105 != \"\" || \$106 == \"\")' gap1.csv"
    # On a terminal a progress line shows and is cleared before each sheet's line.
    run 0 "*grading 1/2"$'\r\e'"\\[Ks/img002.jpg  ID*" \
        "script -qec \"'\$VANTREL_GRADE' $k --quiet s/img001.jpg s/img002.jpg\" /dev/null"
    # A page laid upside down on the glass reads as it would the right way up, with a note.
    run 0 '*หน้านี้สแกนกลับหัว*' "for t in '' --upside-down; do
            sheet fill -o page\$t.jpg --id 31415926 --answers b,c,a,,e,d,ab --rotate 0.6 \$t || exit 1; done
        diff <(grade $k page.jpg 2>/dev/null | sed 's/^page//') <(grade $k page--upside-down.jpg 2>/dev/null | sed 's/^page--upside-down//') &&
        grade $k page--upside-down.jpg 2>&1 >/dev/null"
    # Random sheets in every scan format read exactly as drawn.
    for f in "jpg 160 11" "tif 80 12" "bmp 80 13"; do
        set -- $f
        run 0 '' "sheet batch --count $2 --seed $3 --format $1 --out $1 >/dev/null &&
            grade --key $1/key.txt --csv $1.csv -q $1/img*.$1 &>/dev/null && as_drawn $1 $1.csv"
    done
}

sheet_suite() {
    local x="-o x.png --id 12345678 --answers" y="-o x.png --answers a --id" e
    run 0 '*vantrel-sheet batch --count N --out DIR*' 'sheet --help' 0 '*vantrel-sheet fill*' 'sheet fill --help' \
        2 '*no command given*' 'sheet' 2 "*unknown command 'draw'*" 'sheet draw -o x.png' \
        2 '*exactly 8 digits*' "sheet fill $y 1234567" 2 '*exactly 8 digits*' "sheet fill $y 1234567a" \
        2 "*answer 3 ('f')*" "sheet fill $x a,b,f" 2 "*answer 1 ('A')*" "sheet fill $x A" \
        2 '*repeats a letter*' "sheet fill $x aa" 2 '*more than 100 answers*' "sheet fill $x $(printf 'a,%.0s' {1..100})a" \
        2 '*missing --answers*' 'sheet fill -o x.png --id 12345678' 2 '*missing -o FILE*' 'sheet fill --id 12345678 --answers a' \
        2 '*image type*' "sheet fill ${x/png/gif} a" 2 '*--tilt wants a number from -3.5 to 3.5*' "sheet fill $x a --tilt 4" \
        2 '*--quality wants*' "sheet fill $x a --quality 0" 2 '*--seed wants*' "sheet fill $x a --seed -1" \
        2 "*unknown option '--count'*" "sheet fill $x a --count 3" 2 '*given twice*' "sheet fill -o y.png $x a" \
        2 '*needs a value*' "sheet fill $x" 2 '*--count wants a number from 1 to 9999*' 'sheet batch --count 0 --out b' \
        2 '*--format wants tif, jpg or bmp*' 'sheet batch --count 1 --out b --format png' 2 '*missing --out*' 'sheet batch --count 1' \
        2 '*--pencil wants a number from 20 to 130*' "sheet fill $x a --pencil 10" \
        2 '*--pencil wants a number or a range A-B from 90*' 'sheet batch --count 1 --out b --pencil 90-60' \
        2 '*--preset wants stress or classroom*' 'sheet batch --count 1 --out b --preset hard' \
        2 '*--marks wants a list of neat*' "sheet fill $x a --marks neat,smudge" 2 '*--tone wants light, dark or*' "sheet fill $x a --tone grey" \
        2 '*--print-scale wants a per cent from 90 to 100*' "sheet fill $x a --print-scale 89" \
        2 '*--print-scale wants a per cent from 90 to 100*' "sheet fill $x a --print-scale 100.5" \
        2 '*--print-scale wants a per cent or a range A-B from 95 to 100*' 'sheet batch --count 1 --out b --print-scale 95-91' \
        2 '*--page-defects wants a list of fold*' 'sheet batch --count 1 --out b --page-defects fold,dust' \
        2 '*--upside-down takes no value*' "sheet fill $x a --upside-down=1" \
        1 '*cannot open*' 'sheet fill -o missing/x.png --id 12345678 --answers a'
    # Every type is 24-bit colour at A4, 100 dpi.
    for e in png jpg bmp tif; do
        run 0 '827 1169 srgb 8' "sheet fill -o t.$e --id 00123456 --answers a,,bd,e --tilt=-0.5 --noise 4 \
            --quality 85 && identify -format '%w %h %[channels] %z' t.$e"
    done
    # A batch: numbered sheets, the key (letter, two spaces, CR LF), the truth, the scan conditions.
    run 0 24 "od -An -tu2 -j28 -N2 t.bmp | tr -d ' '" 0 '827 1169' "sheet blank -o b.png && identify -format '%w %h' b.png" \
        0 'img001.bmp img002.bmp img003.bmp key.txt truth.csv ' \
        "sheet batch --count 3 --out b --seed 9 --format bmp >/dev/null && ls b | tr '\n' ' '" \
        0 '500 0' "echo \$(wc -c <b/key.txt) \$(grep -cvxP '[a-e]  \\r' b/key.txt)" \
        0 'file,examinee_id,correct,wrong,error,m1,*,m100' 'head -1 b/truth.csv' \
        0 3 "grep -cE '^img00[1-3]\.bmp,[0-9]{8},[0-9]+,[0-9]+,[0-9]+(,[a-e]*){100}\$' b/truth.csv" \
        0 'img001.jpg img002.jpg key.txt scan.csv truth.csv ' \
        "sheet batch --count 2 --out st --preset stress --speck >/dev/null && ls st | tr '\n' ' '" \
        0 2 "grep -cE '^img00[12]\.jpg(,-?[0-9.]+){8},[0-9]+,[0-9]+\$' st/scan.csv"
    # Without classroom options a batch is what it always was, to the byte (with Debian 12's libjpeg-turbo).
    run 0 '5c46b380889b1844117ca4076d84a4b4  -' 'sheet batch --count 2 --seed 5 --preset stress --out p5 >/dev/null &&
        sheet batch --count 2 --seed 6 --out p6 >/dev/null && cat p5/* p6/* | md5sum'
    # A classroom set: the same for a seed, every kind of item, truth.csv counting what items.csv reads.
    local c="--count 6 --preset classroom --out" f="--id 01234567 --answers a,b,c,d,e,a,b"
    run 0 '' "sheet batch $c c1 --seed 4 >/dev/null && sheet batch $c c2 --seed 4 >/dev/null && diff -r c1 c2" \
        0 '' "sheet batch $c c3 --seed 5 >/dev/null && ! cmp -s c1/img001.jpg c3/img001.jpg && ! cmp -s c1/items.csv c3/items.csv" \
        0 'ballpoint blank changed circle cross double erased faint heavy kind neat offcentre partial tick 649' \
        "echo \$(cut -d, -f3 c1/items.csv | sort -u) \$(wc -l <c1/items.csv)" 0 '' 'items_agree c1' \
        0 'file,tilt,*,speck_y,tone,tone_grey,print_scale,upside_down,fold,holes,show_through,edge_shadow,perspective' \
        'head -1 c1/scan.csv' 0 'img001.jpg dark 1 95.0?items.csv' "sheet batch --count 1 --out c4 --format jpg --tone dark \
        --upside-down --print-scale 95 >/dev/null && awk -F, 'NR == 2 { print \$1, \$12, \$15, \$14 }' c4/scan.csv && ls c4 | grep items"
    # What a teacher reads: a ring round the letter only is ambiguous; a tick, a cross, any fill is its letter.
    run 0 '' "awk -F, '\$3 == \"circle\" && \$4 != \"?\" || \$3 ~ /^(neat|tick|cross|heavy|offcentre|ballpoint|faint)\$/ &&
        \$4 !~ /^[a-e0-9]\$/ || \$3 == \"double\" && \$4 !~ /^[a-e][a-e]\$/ || \$3 == \"blank\" && \$4 != \"\"' c1/items.csv"
    # The page upside down is the page turned a half turn; printed at 90 % it is 90 % as wide; the tones.
    run 0 0 "sheet fill -o n.png $f && sheet fill -o u.png $f --upside-down && convert u.png -rotate 180 r.png &&
        compare -metric AE n.png r.png null:" 0 90 "sheet fill -o p.png $f --print-scale 90 && echo \$((\$(convert p.png \
        -threshold 50% -format '%@' info: | cut -dx -f1) * 100 / \$(convert n.png -threshold 50% -format '%@' info: | cut -dx -f1)))" \
        0 '' "sheet fill -o l.png $f --tone light && sheet fill -o d.png $f --tone dark && grey() { convert \$1 -colorspace gray \
        -format \"%[fx:round(\$2*255)]\" info:; } && ((\$(grey l.png minima) >= 80 && \$(grey d.png maxima) <= 210))"
    # A batch never replaces the key, the truth or the sheets of a folder, unless --force.
    run 1 '*b already holds key.txt, truth.csv, img001.bmp and 2 more: nothing written*' \
        'sheet batch --count 3 --out b --format bmp' 0 '' 'sheet batch --count 3 --out b --format bmp --force >/dev/null' \
        1 '*c already holds img002.tif*' 'mkdir c && touch c/img002.tif && sheet batch --count 2 --out c'
}

items_agree() { # DIR: truth.csv's IDs and counts are what items.csv reads against the key (? counts in none)
    awk -F, 'FILENAME ~ /key/ { k[FNR] = substr($0, 1, 1); next } FNR == 1 { next }
        FILENAME ~ /items/ && $2 ~ /^q/ { if ($4 != "?") n[$1, length($4) > 1 ? 5 : $4 == k[substr($2, 2)] ? 3 : 4]++; next }
        FILENAME ~ /items/ { id[$1] = id[$1] ($4 == "?" ? "." : $4); next }
        { for (f = 3; f <= 5; ++f) if (n[$1, f] + 0 != $f) print $1 " column " f; if ($2 !~ "^" id[$1] "$") print $1 " ID" }
        END { if (FNR < 2) print "no sheets" }' "$1/key.txt" "$1/items.csv" "$1/truth.csv"
}

letters=(a b c d e)
answers() { # SHIFT [SECOND]: row q marked (q + SHIFT) mod 5, and (q + SECOND) mod 5 too when given
    local q list=
    for ((q = 0; q < 100; q++)); do list+=${list:+,}${letters[(q + $1) % 5]}${2:+${letters[(q + $2) % 5]}}; done
    echo "$list"
}
id_of() { local b id=; for ((b = 0; b < 8; b++)); do id+=$((($1 + b) % 10)); done; echo "$id"; }
read_back() { # KEY SHEET...: "file ID correct wrong error" a sheet, sorted
    grade --key "$1" --csv read.csv --quiet "${@:2}" >/dev/null 2>&1
    tail -n +2 read.csv | cut -d, -f1-5 | tr , ' ' | sort
}

# The printed sheet, rendered as a scanner sees the printout (100 dpi; 300 dpi brought
# down; turned by half a degree either way) and pencilled, reads back bubble for bubble.
print_suite() {
    for n in 0 1 2 3 4; do # keyN: question q (from 0) keyed (q + N) mod 5
        for ((q = 0; q < 100; q++)); do printf '%s  \r\n' "${letters[(q + n) % 5]}"; done >key$n.txt; done
    run 0 '' 'sheet print -o sheet.pdf --title "สอบกลางภาค ม.3/2" --copies 3' \
        0 "*Title: +( )สอบกลางภาค ม.3/2"$'\n'"*Pages: +( )3"$'\n'"*\\(A4\\)*" 'pdfinfo sheet.pdf' \
        0 '' "pdffonts sheet.pdf | tail -n +3 | awk '\$(NF-4) != \"yes\"'" \
        2 '*the printable sheet is a PDF*' 'sheet print -o sheet.png' 2 '*--copies*' 'sheet print -o x.pdf --copies 0' \
        0 '' 'pdftoppm -r 100 -f 1 -singlefile -png sheet.pdf p100 && pdftoppm -r 300 -f 2 -singlefile -png sheet.pdf big &&
            convert big.png -filter Box -resize "827x1169!" p300.png' \
        0 'p100.png 00000000 0 100 0' 'read_back key0.txt p100.png'
    # Ten sheets a page: band b of sheet s holds digit (s + b) mod 10 and row q letter
    # (q + s) mod 5, so together they fill every printed bubble; one more marks two a row.
    local variants=("dpi100 p100.png 0" "dpi300 p300.png 0" "tilt+0.5 p100.png 0.5" "tilt-0.5 p100.png -0.5")
    for v in "${variants[@]}"; do
        read -r name page tilt <<<"$v"
        for ((s = 0; s < 10; s++)); do
            echo "fill --paper $page --tilt=$tilt --seed $((s + 1)) --id $(id_of $s) --answers $(answers $s) -o $name-$s.tif"
        done
        echo "fill --paper $page --tilt=$tilt --id 99999999 --answers $(answers 0 2) -o $name-double.tif"
    done >fills.txt
    run 0 '' 'xargs -P 2 -L 1 "$VANTREL_SHEET" <fills.txt'
    for ((k = 0; k < 5; k++)); do
        scans=() wanted=()
        for v in "${variants[@]}"; do
            for s in $k $((k + 5)); do
                scans+=("${v%% *}-$s.tif") wanted+=("${v%% *}-$s.tif $(id_of $s) 100 0 0")
            done
        done
        run 0 "$(printf '%s\n' "${wanted[@]}" | sort)" "read_back key$k.txt ${scans[*]}"
    done
    # A mark is not read in its neighbour's box; two marks a row reject every row; a
    # scribble well past the bubble of question 1 is too wide and rejects that row alone.
    for v in "${variants[@]}"; do
        run 0 "${v%% *}-0.tif 01234567 0 100 0" "read_back key1.txt ${v%% *}-0.tif" \
            0 "${v%% *}-double.tif 99999999 0 0 100" "read_back key0.txt ${v%% *}-double.tif"
    done
    run 0 'scribbled.tif 12345678 99 0 1' "convert p100.png -fill '#383838' -draw 'rectangle 163,611 183,624' \
        scribbled.png && sheet fill --paper scribbled.png --id 12345678 --answers $(answers 0) -o scribbled.tif &&
        read_back key0.txt scribbled.tif"
}

# Installed into a scratch prefix: the programs, the menu entry, its icon, the printable sheet.
install_suite() {
    p=$work/prefix version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
    run 0 '' "cmake --install '$build' --prefix '$p' >/dev/null"
    for program in vantrel vantrel-grade vantrel-sheet; do run 0 "$program $version" "'$p/bin/$program' --version"; done
    run 0 '' 'd=$p/share/applications/vantrel.desktop e=$(sed -n "s/^Exec=//p" $d) i=$(sed -n "s/^Icon=//p" $d)
            [[ -x $p/bin/${e%% *} && -f $p/share/icons/hicolor/scalable/apps/$i.svg ]]' \
        0 '*\(A4\)*' "pdfinfo '$p/share/vantrel/answer-sheet.pdf'"
}

"${suite}_suite"
((failures == 0)) || { echo "$failures check(s) failed"; exit 1; }
echo "tool_$suite: every check passed"

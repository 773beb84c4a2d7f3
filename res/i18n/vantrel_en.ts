<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="th_TH">
<context>
    <name>CReviewWindow</name>
    <message>
        <source>ตรวจสอบอีกครั้ง (&amp;R)</source>
        <translation>&amp;Review</translation>
    </message>
    <message>
        <source>แสดงหรือซ่อนรายการแผ่นที่ควรตรวจสอบอีกครั้ง</source>
        <translation>Show or hide the sheets to check again</translation>
    </message>
</context>
<context>
    <name>ClassBook</name>
    <message>
        <source>ข้อสอบ %1 ข้อ จาก %2 แผ่น; ค่าเฉลี่ย %3, มัธยฐาน %4, ส่วนเบี่ยงเบนมาตรฐาน %5, ต่ำสุด–สูงสุด %6-%7</source>
        <translation>items: %1 questions over %2 sheets; mean %3, median %4, SD %5, range %6-%7</translation>
    </message>
    <message>
        <source>, ความเที่ยง KR-20 %1</source>
        <translation>, KR-20 %1</translation>
    </message>
    <message>
        <source>; ควรตรวจเฉลยข้อ %1</source>
        <translation>; check the key of question %1</translation>
    </message>
</context>
<context>
    <name>ClassWorkbook</name>
    <message>
        <source>ไฟล์</source>
        <translation>File</translation>
    </message>
    <message>
        <source>รหัสผู้สอบ</source>
        <translation>Examinee ID</translation>
    </message>
    <message>
        <source>ชื่อ</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>ห้อง</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>ถูก</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>ผิด</source>
        <translation>Wrong</translation>
    </message>
    <message>
        <source>ข้อผิดพลาด</source>
        <translation>Errors</translation>
    </message>
    <message>
        <source>ร้อยละ</source>
        <translation>Percent</translation>
    </message>
    <message>
        <source>ควรตรวจสอบ</source>
        <translation>To review</translation>
    </message>
    <message>
        <source>คะแนน</source>
        <translation>Scores</translation>
    </message>
    <message>
        <source>ข้อ %1</source>
        <translation>q%1</translation>
    </message>
    <message>
        <source>คำตอบ</source>
        <translation>Answers</translation>
    </message>
    <message>
        <source>ข้อ</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>เฉลย</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>ความยาก</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>อำนาจจำแนก</source>
        <translation>Discrimination</translation>
    </message>
    <message>
        <source>สหสัมพันธ์พอยต์ไบซีเรียล</source>
        <translation>Point-biserial</translation>
    </message>
    <message>
        <source>ไม่ตอบ</source>
        <translation>Blank</translation>
    </message>
    <message>
        <source>แถวถูกปฏิเสธ</source>
        <translation>Rejected</translation>
    </message>
    <message>
        <source>ข้อสังเกต</source>
        <translation>Flag</translation>
    </message>
    <message>
        <source>รายข้อ</source>
        <translation>Items</translation>
    </message>
    <message>
        <source>สรุป</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>รายการ</source>
        <translation>Figure</translation>
    </message>
    <message>
        <source>ค่า</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>จำนวนแผ่น</source>
        <translation>Sheets</translation>
    </message>
    <message>
        <source>ตรวจได้</source>
        <translation>Graded</translation>
    </message>
    <message>
        <source>ตรวจไม่ได้</source>
        <translation>Refused</translation>
    </message>
    <message>
        <source>จำนวนข้อที่ตรวจ</source>
        <translation>Questions</translation>
    </message>
    <message>
        <source>ค่าเฉลี่ย</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>มัธยฐาน</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>ส่วนเบี่ยงเบนมาตรฐาน</source>
        <translation>Standard deviation</translation>
    </message>
    <message>
        <source>ต่ำสุด</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <source>สูงสุด</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>ความเที่ยง</source>
        <translation>Reliability</translation>
    </message>
</context>
<context>
    <name>ReviewTexts</name>
    <message>
        <source>รหัสหลักที่ %1</source>
        <translation>ID column %1</translation>
    </message>
    <message>
        <source>ข้อ %1</source>
        <translation>question %1</translation>
    </message>
    <message>
        <source>ความเอียงของแผ่น</source>
        <translation>page turn</translation>
    </message>
    <message>
        <source>เครื่องหมายอ้างอิง</source>
        <translation>registration marks</translation>
    </message>
    <message>
        <source>แผ่นที่ตรวจแล้ว</source>
        <translation>checked before</translation>
    </message>
    <message>
        <source>ถูก</source>
        <translation>correct</translation>
    </message>
    <message>
        <source>ผิด</source>
        <translation>wrong</translation>
    </message>
    <message>
        <source>ผิดรูป</source>
        <translation>rejected</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>ไม่ได้ระบาย</source>
        <translation>none marked</translation>
    </message>
    <message>
        <source>ไม่มี</source>
        <translation>none</translation>
    </message>
    <message>
        <source>หลายช่อง</source>
        <translation>several</translation>
    </message>
    <message>
        <source>%1 องศา</source>
        <translation>%1 deg</translation>
    </message>
    <message>
        <source>รอยระบายจาง: ช่องเฉลยมีจุดสีดำ %1 จุด</source>
        <translation>light mark: key box %1 black pixels</translation>
    </message>
    <message>
        <source>ระบายสองช่อง แต่ไม่ถูกนับเป็นข้อผิดรูป</source>
        <translation>two boxes marked, row not rejected</translation>
    </message>
    <message>
        <source>เกือบถูกนับเป็นข้อผิดรูป (ห่างอีก %1 คอลัมน์)</source>
        <translation>row check %1 column from rejecting</translation>
    </message>
    <message>
        <source>ไม่มีรอยระบายในหลักนี้</source>
        <translation>no mark in the column</translation>
    </message>
    <message>
        <source>ระบายสองช่อง: %1 และ %2</source>
        <translation>two marks: %1 and %2</translation>
    </message>
    <message>
        <source>อ่านได้ %1 แต่ช่องที่เข้มที่สุดคือ %2</source>
        <translation>read %1, darkest box %2</translation>
    </message>
    <message>
        <source>การอ่านสองครั้งได้ผลไม่ตรงกัน</source>
        <translation>the readings differ</translation>
    </message>
    <message>
        <source>กระดาษเอียง: เครื่องหมายคลาดจากช่องที่อ่านครั้งแรก %1 จุดภาพ</source>
        <translation>the page is turned: marks lie %1 px off the first reading&apos;s boxes</translation>
    </message>
    <message>
        <source>การอ่านครั้งที่สองไม่พบเครื่องหมายอ้างอิง</source>
        <translation>the second reading found no registration mark</translation>
    </message>
    <message>
        <source>จุดอ้างอิงไม่ใช่มุมของเครื่องหมายสีดำทึบ</source>
        <translation>a reference point is not the corner of a solid mark</translation>
    </message>
    <message>
        <source>แผ่นนี้มีสีของการตรวจครั้งก่อนอยู่แล้ว</source>
        <translation>the sheet already carries the colours of a check</translation>
    </message>
    <message>
        <source>รอยลบไม่สะอาด</source>
        <translation>an answer not cleanly erased</translation>
    </message>
    <message>
        <source>วงรอบตัวอักษร ไม่ได้ระบายช่อง</source>
        <translation>a ring drawn round the letter, the box not filled</translation>
    </message>
    <message>
        <source>ระบายไม่เต็มช่อง</source>
        <translation>the box only partly filled</translation>
    </message>
    <message>
        <source>มีช่องที่เข้มเกือบเท่ารอยระบาย</source>
        <translation>another box nearly as dark as the mark</translation>
    </message>
    <message>
        <source>ควรตรวจสอบ %1</source>
        <translation>to check: %1</translation>
    </message>
    <message>
        <source>กระดาษเอียง %1 องศา</source>
        <translation>page turned %1 degrees</translation>
    </message>
    <message>
        <source>พิมพ์ย่อเหลือ %1 % ของขนาดจริง</source>
        <translation>printed shrunk to %1 % of full size</translation>
    </message>
    <message>
        <source> (ครั้งแรก %1, ครั้งที่สอง %2)</source>
        <translation> (first reading %1, second reading %2)</translation>
    </message>
    <message>
        <source>ตรวจไม่ได้: %1</source>
        <translation>refused: %1</translation>
    </message>
    <message>
        <source>ไม่ได้บันทึกผล: การตรวจไปไม่ถึงข้อสุดท้ายของเฉลย</source>
        <translation>unreported: the key&apos;s last question was never scored</translation>
    </message>
    <message>
        <source>ตรวจเฉลย</source>
        <translation>check the key</translation>
    </message>
</context>
<context>
    <name>SheetImage</name>
    <message>
        <source>อ่านข้อมูลภาพไม่ได้ (%1)</source>
        <translation>cannot read the image data (%1)</translation>
    </message>
    <message>
        <source>เปิดไฟล์ PDF ไม่ได้</source>
        <translation>cannot open the PDF file</translation>
    </message>
    <message>
        <source>หน้า PDF นี้ไม่มีขนาด</source>
        <translation>the PDF page has no size</translation>
    </message>
    <message>
        <source>แปลงหน้า PDF นี้เป็นภาพไม่ได้</source>
        <translation>the PDF page cannot be rendered</translation>
    </message>
    <message>
        <source>ภาพมี %1 จุด เกิน 100 ล้านจุด</source>
        <translation>%1 pixels are more than 100 megapixels</translation>
    </message>
    <message>
        <source>ไม่ใช่ไฟล์ภาพ BMP, JPEG, GIF, TIFF, PNG หรือ ICO</source>
        <translation>not a BMP, JPEG, GIF, TIFF, PNG or ICO image</translation>
    </message>
    <message>
        <source>ไฟล์นี้ไม่มีหน้าที่ %1</source>
        <translation>the file has no page %1</translation>
    </message>
    <message>
        <source>ข้อมูล %1 ขาดหายไปบางส่วน</source>
        <translation>%1 data is truncated</translation>
    </message>
    <message>
        <source>%1: ไฟล์ %2 ไบต์ไม่พอสำหรับภาพ %3 x %4 จุด</source>
        <translation>%1: %2 bytes cannot hold %3 x %4 pixels</translation>
    </message>
    <message>
        <source>ไม่พบไฟล์</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>ไม่ใช่ไฟล์</source>
        <translation>not a file</translation>
    </message>
</context>
<context>
    <name>CReviewPane</name>
    <message>
        <source>a–e เลือกตัวเลือก (สองตัว = ระบายซ้อน) · เว้นวรรค = ไม่ระบาย · Enter = ยืนยัน · Backspace = ย้อนกลับ · ←/→ = ก่อนหน้า/ถัดไป · ตัวเลข = รหัส หรือเลือกนักเรียน</source>
        <translation>a–e choose a letter (two = a double mark) · Space = blank · Enter = accept · Backspace = undo · ←/→ = previous/next · digits = an ID or a student</translation>
    </message>
    <message>
        <source>ยอมรับการอ่านครั้งที่สองทั้งหมด</source>
        <translation>Accept the second reading everywhere</translation>
    </message>
    <message>
        <source>ไม่มีรายการที่ต้องตรวจสอบ</source>
        <translation>Nothing left to review</translation>
    </message>
    <message>
        <source>เหลือ %1 รายการ</source>
        <translation>%1 items left</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1 — %2&lt;/b&gt; (รายการที่ %3 จาก %4%5)&lt;br&gt;%6</source>
        <translation>&lt;b&gt;%1 — %2&lt;/b&gt; (item %3 of %4%5)&lt;br&gt;%6</translation>
    </message>
    <message>
        <source>, ตรวจสอบแล้ว</source>
        <translation>, reviewed</translation>
    </message>
    <message>
        <source>เสนอ: &lt;b&gt;%1&lt;/b&gt; · ตอนนี้: %2%3</source>
        <translation>Proposed: &lt;b&gt;%1&lt;/b&gt; · now: %2%3</translation>
    </message>
    <message>
        <source> · พิมพ์: &lt;b&gt;%1&lt;/b&gt;</source>
        <translation> · typed: &lt;b&gt;%1&lt;/b&gt;</translation>
    </message>
</context>
<context>
    <name>ReviewPane</name>
    <message>
        <source>ขาดสอบ</source>
        <translation>absent</translation>
    </message>
    <message>
        <source>ยังไม่ยืนยัน</source>
        <translation>not confirmed</translation>
    </message>
    <message>
        <source>นักเรียนในรายชื่อ</source>
        <translation>Student on the class list</translation>
    </message>
    <message>
        <source>ไม่พบกระดาษคำตอบของนักเรียนคนนี้: Enter = ขาดสอบ หรือแก้รหัสของแผ่นที่อ่านผิด</source>
        <translation>No sheet of this student: Enter = absent, or put right the ID of a sheet read wrong</translation>
    </message>
    <message>
        <source>อ่านไม่ได้</source>
        <translation>unreadable</translation>
    </message>
    <message>
        <source>ไม่ระบาย</source>
        <translation>blank</translation>
    </message>
    <message>
        <source>รหัสผู้สอบ</source>
        <translation>Examinee ID</translation>
    </message>
    <message>
        <source>ทั้งหน้า</source>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>รหัสนี้ไม่อยู่ในรายชื่อนักเรียน</source>
        <translation>This ID is not on the class list</translation>
    </message>
    <message>
        <source>รหัสนี้อยู่ในกระดาษคำตอบมากกว่าหนึ่งแผ่น</source>
        <translation>This ID is on more than one sheet</translation>
    </message>
    <message>
        <source>อ่านครั้งแรก: %1&lt;br&gt;อ่านครั้งที่สอง: %2</source>
        <translation>First reading: %1&lt;br&gt;Second reading: %2</translation>
    </message>
    <message>
        <source>&lt;br&gt;กด %1: %2 %3</source>
        <translation>&lt;br&gt;Press %1: %2 %3</translation>
    </message>
    <message>
        <source>ครั้งแรก</source>
        <translation>First</translation>
    </message>
    <message>
        <source>ครั้งที่สอง</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>ตัวเลขใต้ช่อง: ครั้งแรกนับจุดดำ ครั้งที่สองวัดความเข้มของหมึก</source>
        <translation>Figures under the boxes: the first reading counts black pixels, the second measures the ink</translation>
    </message>
</context>
</TS>

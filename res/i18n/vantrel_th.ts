<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH" sourcelanguage="th_TH">
<context>
    <name>CReviewWindow</name>
    <message>
        <source>ตรวจสอบอีกครั้ง (&amp;R)</source>
        <translation>ตรวจสอบอีกครั้ง (&amp;R)</translation>
    </message>
    <message>
        <source>แสดงหรือซ่อนรายการแผ่นที่ควรตรวจสอบอีกครั้ง</source>
        <translation>แสดงหรือซ่อนรายการแผ่นที่ควรตรวจสอบอีกครั้ง</translation>
    </message>
</context>
<context>
    <name>ClassBook</name>
    <message>
        <source>ข้อสอบ %1 ข้อ จาก %2 แผ่น; ค่าเฉลี่ย %3, มัธยฐาน %4, ส่วนเบี่ยงเบนมาตรฐาน %5, ต่ำสุด–สูงสุด %6-%7</source>
        <translation>ข้อสอบ %1 ข้อ จาก %2 แผ่น; ค่าเฉลี่ย %3, มัธยฐาน %4, ส่วนเบี่ยงเบนมาตรฐาน %5, ต่ำสุด–สูงสุด %6-%7</translation>
    </message>
    <message>
        <source>, ความเที่ยง KR-20 %1</source>
        <translation>, ความเที่ยง KR-20 %1</translation>
    </message>
    <message>
        <source>; ควรตรวจเฉลยข้อ %1</source>
        <translation>; ควรตรวจเฉลยข้อ %1</translation>
    </message>
</context>
<context>
    <name>ClassWorkbook</name>
    <message>
        <source>ไฟล์</source>
        <translation>ไฟล์</translation>
    </message>
    <message>
        <source>รหัสผู้สอบ</source>
        <translation>รหัสผู้สอบ</translation>
    </message>
    <message>
        <source>ชื่อ</source>
        <translation>ชื่อ</translation>
    </message>
    <message>
        <source>ห้อง</source>
        <translation>ห้อง</translation>
    </message>
    <message>
        <source>ถูก</source>
        <translation>ถูก</translation>
    </message>
    <message>
        <source>ผิด</source>
        <translation>ผิด</translation>
    </message>
    <message>
        <source>ข้อผิดพลาด</source>
        <translation>ข้อผิดพลาด</translation>
    </message>
    <message>
        <source>ร้อยละ</source>
        <translation>ร้อยละ</translation>
    </message>
    <message>
        <source>ควรตรวจสอบ</source>
        <translation>ควรตรวจสอบ</translation>
    </message>
    <message>
        <source>คะแนน</source>
        <translation>คะแนน</translation>
    </message>
    <message>
        <source>ข้อ %1</source>
        <translation>ข้อ %1</translation>
    </message>
    <message>
        <source>คำตอบ</source>
        <translation>คำตอบ</translation>
    </message>
    <message>
        <source>ข้อ</source>
        <translation>ข้อ</translation>
    </message>
    <message>
        <source>เฉลย</source>
        <translation>เฉลย</translation>
    </message>
    <message>
        <source>ความยาก</source>
        <translation>ความยาก</translation>
    </message>
    <message>
        <source>อำนาจจำแนก</source>
        <translation>อำนาจจำแนก</translation>
    </message>
    <message>
        <source>สหสัมพันธ์พอยต์ไบซีเรียล</source>
        <translation>สหสัมพันธ์พอยต์ไบซีเรียล</translation>
    </message>
    <message>
        <source>ไม่ตอบ</source>
        <translation>ไม่ตอบ</translation>
    </message>
    <message>
        <source>แถวถูกปฏิเสธ</source>
        <translation>แถวถูกปฏิเสธ</translation>
    </message>
    <message>
        <source>ข้อสังเกต</source>
        <translation>ข้อสังเกต</translation>
    </message>
    <message>
        <source>รายข้อ</source>
        <translation>รายข้อ</translation>
    </message>
    <message>
        <source>สรุป</source>
        <translation>สรุป</translation>
    </message>
    <message>
        <source>รายการ</source>
        <translation>รายการ</translation>
    </message>
    <message>
        <source>ค่า</source>
        <translation>ค่า</translation>
    </message>
    <message>
        <source>จำนวนแผ่น</source>
        <translation>จำนวนแผ่น</translation>
    </message>
    <message>
        <source>ตรวจได้</source>
        <translation>ตรวจได้</translation>
    </message>
    <message>
        <source>ตรวจไม่ได้</source>
        <translation>ตรวจไม่ได้</translation>
    </message>
    <message>
        <source>จำนวนข้อที่ตรวจ</source>
        <translation>จำนวนข้อที่ตรวจ</translation>
    </message>
    <message>
        <source>ค่าเฉลี่ย</source>
        <translation>ค่าเฉลี่ย</translation>
    </message>
    <message>
        <source>มัธยฐาน</source>
        <translation>มัธยฐาน</translation>
    </message>
    <message>
        <source>ส่วนเบี่ยงเบนมาตรฐาน</source>
        <translation>ส่วนเบี่ยงเบนมาตรฐาน</translation>
    </message>
    <message>
        <source>ต่ำสุด</source>
        <translation>ต่ำสุด</translation>
    </message>
    <message>
        <source>สูงสุด</source>
        <translation>สูงสุด</translation>
    </message>
    <message>
        <source>ความเที่ยง</source>
        <translation>ความเที่ยง</translation>
    </message>
</context>
<context>
    <name>ReviewTexts</name>
    <message>
        <source>รหัสหลักที่ %1</source>
        <translation>รหัสหลักที่ %1</translation>
    </message>
    <message>
        <source>ข้อ %1</source>
        <translation>ข้อ %1</translation>
    </message>
    <message>
        <source>ความเอียงของแผ่น</source>
        <translation>ความเอียงของแผ่น</translation>
    </message>
    <message>
        <source>เครื่องหมายอ้างอิง</source>
        <translation>เครื่องหมายอ้างอิง</translation>
    </message>
    <message>
        <source>แผ่นที่ตรวจแล้ว</source>
        <translation>แผ่นที่ตรวจแล้ว</translation>
    </message>
    <message>
        <source>ถูก</source>
        <translation>ถูก</translation>
    </message>
    <message>
        <source>ผิด</source>
        <translation>ผิด</translation>
    </message>
    <message>
        <source>ผิดรูป</source>
        <translation>ผิดรูป</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>ไม่ได้ระบาย</source>
        <translation>ไม่ได้ระบาย</translation>
    </message>
    <message>
        <source>ไม่มี</source>
        <translation>ไม่มี</translation>
    </message>
    <message>
        <source>หลายช่อง</source>
        <translation>หลายช่อง</translation>
    </message>
    <message>
        <source>%1 องศา</source>
        <translation>%1 องศา</translation>
    </message>
    <message>
        <source>รอยระบายจาง: ช่องเฉลยมีจุดสีดำ %1 จุด</source>
        <translation>รอยระบายจาง: ช่องเฉลยมีจุดสีดำ %1 จุด</translation>
    </message>
    <message>
        <source>ระบายสองช่อง แต่ไม่ถูกนับเป็นข้อผิดรูป</source>
        <translation>ระบายสองช่อง แต่ไม่ถูกนับเป็นข้อผิดรูป</translation>
    </message>
    <message>
        <source>เกือบถูกนับเป็นข้อผิดรูป (ห่างอีก %1 คอลัมน์)</source>
        <translation>เกือบถูกนับเป็นข้อผิดรูป (ห่างอีก %1 คอลัมน์)</translation>
    </message>
    <message>
        <source>ไม่มีรอยระบายในหลักนี้</source>
        <translation>ไม่มีรอยระบายในหลักนี้</translation>
    </message>
    <message>
        <source>ระบายสองช่อง: %1 และ %2</source>
        <translation>ระบายสองช่อง: %1 และ %2</translation>
    </message>
    <message>
        <source>อ่านได้ %1 แต่ช่องที่เข้มที่สุดคือ %2</source>
        <translation>อ่านได้ %1 แต่ช่องที่เข้มที่สุดคือ %2</translation>
    </message>
    <message>
        <source>การอ่านสองครั้งได้ผลไม่ตรงกัน</source>
        <translation>การอ่านสองครั้งได้ผลไม่ตรงกัน</translation>
    </message>
    <message>
        <source>กระดาษเอียง: เครื่องหมายคลาดจากช่องที่อ่านครั้งแรก %1 จุดภาพ</source>
        <translation>กระดาษเอียง: เครื่องหมายคลาดจากช่องที่อ่านครั้งแรก %1 จุดภาพ</translation>
    </message>
    <message>
        <source>การอ่านครั้งที่สองไม่พบเครื่องหมายอ้างอิง</source>
        <translation>การอ่านครั้งที่สองไม่พบเครื่องหมายอ้างอิง</translation>
    </message>
    <message>
        <source>จุดอ้างอิงไม่ใช่มุมของเครื่องหมายสีดำทึบ</source>
        <translation>จุดอ้างอิงไม่ใช่มุมของเครื่องหมายสีดำทึบ</translation>
    </message>
    <message>
        <source>แผ่นนี้มีสีของการตรวจครั้งก่อนอยู่แล้ว</source>
        <translation>แผ่นนี้มีสีของการตรวจครั้งก่อนอยู่แล้ว</translation>
    </message>
    <message>
        <source>รอยลบไม่สะอาด</source>
        <translation>รอยลบไม่สะอาด</translation>
    </message>
    <message>
        <source>วงรอบตัวอักษร ไม่ได้ระบายช่อง</source>
        <translation>วงรอบตัวอักษร ไม่ได้ระบายช่อง</translation>
    </message>
    <message>
        <source>ระบายไม่เต็มช่อง</source>
        <translation>ระบายไม่เต็มช่อง</translation>
    </message>
    <message>
        <source>มีช่องที่เข้มเกือบเท่ารอยระบาย</source>
        <translation>มีช่องที่เข้มเกือบเท่ารอยระบาย</translation>
    </message>
    <message>
        <source>ควรตรวจสอบ %1</source>
        <translation>ควรตรวจสอบ %1</translation>
    </message>
    <message>
        <source>กระดาษเอียง %1 องศา</source>
        <translation>กระดาษเอียง %1 องศา</translation>
    </message>
    <message>
        <source>พิมพ์ย่อเหลือ %1 % ของขนาดจริง</source>
        <translation>พิมพ์ย่อเหลือ %1 % ของขนาดจริง</translation>
    </message>
    <message>
        <source> (ครั้งแรก %1, ครั้งที่สอง %2)</source>
        <translation> (ครั้งแรก %1, ครั้งที่สอง %2)</translation>
    </message>
    <message>
        <source>ตรวจไม่ได้: %1</source>
        <translation>ตรวจไม่ได้: %1</translation>
    </message>
    <message>
        <source>ไม่ได้บันทึกผล: การตรวจไปไม่ถึงข้อสุดท้ายของเฉลย</source>
        <translation>ไม่ได้บันทึกผล: การตรวจไปไม่ถึงข้อสุดท้ายของเฉลย</translation>
    </message>
    <message>
        <source>ตรวจเฉลย</source>
        <translation>ตรวจเฉลย</translation>
    </message>
</context>
<context>
    <name>SheetImage</name>
    <message>
        <source>อ่านข้อมูลภาพไม่ได้ (%1)</source>
        <translation>อ่านข้อมูลภาพไม่ได้ (%1)</translation>
    </message>
    <message>
        <source>เปิดไฟล์ PDF ไม่ได้</source>
        <translation>เปิดไฟล์ PDF ไม่ได้</translation>
    </message>
    <message>
        <source>หน้า PDF นี้ไม่มีขนาด</source>
        <translation>หน้า PDF นี้ไม่มีขนาด</translation>
    </message>
    <message>
        <source>แปลงหน้า PDF นี้เป็นภาพไม่ได้</source>
        <translation>แปลงหน้า PDF นี้เป็นภาพไม่ได้</translation>
    </message>
    <message>
        <source>ภาพมี %1 จุด เกิน 100 ล้านจุด</source>
        <translation>ภาพมี %1 จุด เกิน 100 ล้านจุด</translation>
    </message>
    <message>
        <source>ไม่ใช่ไฟล์ภาพ BMP, JPEG, GIF, TIFF, PNG หรือ ICO</source>
        <translation>ไม่ใช่ไฟล์ภาพ BMP, JPEG, GIF, TIFF, PNG หรือ ICO</translation>
    </message>
    <message>
        <source>ไฟล์นี้ไม่มีหน้าที่ %1</source>
        <translation>ไฟล์นี้ไม่มีหน้าที่ %1</translation>
    </message>
    <message>
        <source>ข้อมูล %1 ขาดหายไปบางส่วน</source>
        <translation>ข้อมูล %1 ขาดหายไปบางส่วน</translation>
    </message>
    <message>
        <source>%1: ไฟล์ %2 ไบต์ไม่พอสำหรับภาพ %3 x %4 จุด</source>
        <translation>%1: ไฟล์ %2 ไบต์ไม่พอสำหรับภาพ %3 x %4 จุด</translation>
    </message>
    <message>
        <source>ไม่พบไฟล์</source>
        <translation>ไม่พบไฟล์</translation>
    </message>
    <message>
        <source>ไม่ใช่ไฟล์</source>
        <translation>ไม่ใช่ไฟล์</translation>
    </message>
</context>
<context>
    <name>CReviewPane</name>
    <message>
        <source>a–e เลือกตัวเลือก (สองตัว = ระบายซ้อน) · เว้นวรรค = ไม่ระบาย · Enter = ยืนยัน · Backspace = ย้อนกลับ · ←/→ = ก่อนหน้า/ถัดไป · ตัวเลข = รหัส หรือเลือกนักเรียน</source>
        <translation>a–e เลือกตัวเลือก (สองตัว = ระบายซ้อน) · เว้นวรรค = ไม่ระบาย · Enter = ยืนยัน · Backspace = ย้อนกลับ · ←/→ = ก่อนหน้า/ถัดไป · ตัวเลข = รหัส หรือเลือกนักเรียน</translation>
    </message>
    <message>
        <source>ยอมรับการอ่านครั้งที่สองทั้งหมด</source>
        <translation>ยอมรับการอ่านครั้งที่สองทั้งหมด</translation>
    </message>
    <message>
        <source>ไม่มีรายการที่ต้องตรวจสอบ</source>
        <translation>ไม่มีรายการที่ต้องตรวจสอบ</translation>
    </message>
    <message>
        <source>เหลือ %1 รายการ</source>
        <translation>เหลือ %1 รายการ</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1 — %2&lt;/b&gt; (รายการที่ %3 จาก %4%5)&lt;br&gt;%6</source>
        <translation>&lt;b&gt;%1 — %2&lt;/b&gt; (รายการที่ %3 จาก %4%5)&lt;br&gt;%6</translation>
    </message>
    <message>
        <source>, ตรวจสอบแล้ว</source>
        <translation>, ตรวจสอบแล้ว</translation>
    </message>
    <message>
        <source>เสนอ: &lt;b&gt;%1&lt;/b&gt; · ตอนนี้: %2%3</source>
        <translation>เสนอ: &lt;b&gt;%1&lt;/b&gt; · ตอนนี้: %2%3</translation>
    </message>
    <message>
        <source> · พิมพ์: &lt;b&gt;%1&lt;/b&gt;</source>
        <translation> · พิมพ์: &lt;b&gt;%1&lt;/b&gt;</translation>
    </message>
</context>
<context>
    <name>ReviewPane</name>
    <message>
        <source>ขาดสอบ</source>
        <translation>ขาดสอบ</translation>
    </message>
    <message>
        <source>ยังไม่ยืนยัน</source>
        <translation>ยังไม่ยืนยัน</translation>
    </message>
    <message>
        <source>นักเรียนในรายชื่อ</source>
        <translation>นักเรียนในรายชื่อ</translation>
    </message>
    <message>
        <source>ไม่พบกระดาษคำตอบของนักเรียนคนนี้: Enter = ขาดสอบ หรือแก้รหัสของแผ่นที่อ่านผิด</source>
        <translation>ไม่พบกระดาษคำตอบของนักเรียนคนนี้: Enter = ขาดสอบ หรือแก้รหัสของแผ่นที่อ่านผิด</translation>
    </message>
    <message>
        <source>อ่านไม่ได้</source>
        <translation>อ่านไม่ได้</translation>
    </message>
    <message>
        <source>ไม่ระบาย</source>
        <translation>ไม่ระบาย</translation>
    </message>
    <message>
        <source>รหัสผู้สอบ</source>
        <translation>รหัสผู้สอบ</translation>
    </message>
    <message>
        <source>ทั้งหน้า</source>
        <translation>ทั้งหน้า</translation>
    </message>
    <message>
        <source>รหัสนี้ไม่อยู่ในรายชื่อนักเรียน</source>
        <translation>รหัสนี้ไม่อยู่ในรายชื่อนักเรียน</translation>
    </message>
    <message>
        <source>รหัสนี้อยู่ในกระดาษคำตอบมากกว่าหนึ่งแผ่น</source>
        <translation>รหัสนี้อยู่ในกระดาษคำตอบมากกว่าหนึ่งแผ่น</translation>
    </message>
    <message>
        <source>อ่านครั้งแรก: %1&lt;br&gt;อ่านครั้งที่สอง: %2</source>
        <translation>อ่านครั้งแรก: %1&lt;br&gt;อ่านครั้งที่สอง: %2</translation>
    </message>
    <message>
        <source>&lt;br&gt;กด %1: %2 %3</source>
        <translation>&lt;br&gt;กด %1: %2 %3</translation>
    </message>
    <message>
        <source>ครั้งแรก</source>
        <translation>ครั้งแรก</translation>
    </message>
    <message>
        <source>ครั้งที่สอง</source>
        <translation>ครั้งที่สอง</translation>
    </message>
    <message>
        <source>ตัวเลขใต้ช่อง: ครั้งแรกนับจุดดำ ครั้งที่สองวัดความเข้มของหมึก</source>
        <translation>ตัวเลขใต้ช่อง: ครั้งแรกนับจุดดำ ครั้งที่สองวัดความเข้มของหมึก</translation>
    </message>
</context>
</TS>

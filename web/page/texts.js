// What the page says, Thai first; English when the teacher switches.
const kTexts = {
  th: {
    title: 'Vantrel — ตรวจกระดาษคำตอบ',
    offline: 'ทำงานในเบราว์เซอร์นี้ทั้งหมด ไม่ส่งข้อมูลใดออกจากเครื่อง',
    switchLanguage: 'English',
    keyHeading: '1. เฉลย',
    keyHint: 'พิมพ์คำตอบข้อละหนึ่งบรรทัด (a–e, เว้นว่างคือข้อที่ไม่ตรวจ) หรือพิมพ์ต่อกัน เช่น abcdeabcde หรือเปิดไฟล์เฉลย',
    openKey: 'เปิดไฟล์เฉลย',
    noKey: 'ยังไม่มีเฉลย',
    keyFromFile: 'เฉลยจากไฟล์ %s',
    checkingKey: 'กำลังตรวจเฉลย…',
    scansHeading: '2. กระดาษคำตอบที่สแกน',
    dropHere: 'ลากไฟล์สแกนมาวางที่นี่ หรือ',
    pickScans: 'เลือกไฟล์',
    scanCount: '%d ไฟล์',
    grade: 'ตรวจ',
    cancel: 'หยุด',
    progress: 'ตรวจแล้ว %d จาก %d ไฟล์',
    finished: 'ตรวจเสร็จ %d ไฟล์',
    cancelled: 'หยุดแล้ว: ตรวจไป %d จาก %d ไฟล์',
    needKey: 'ใส่เฉลยก่อนตรวจ',
    needScans: 'เลือกไฟล์สแกนก่อนตรวจ',
    workerFailed: 'ตรวจไฟล์ %s ไม่ได้: %s',
    resultsHeading: '3. ผลการตรวจ',
    saveCsv: 'บันทึก CSV',
    saveCsvExcel: 'บันทึก CSV สำหรับ Excel',
    columns: ['ไฟล์', 'เลขประจำตัว', 'ถูก', 'ผิด', 'ผิดรูปแบบ', 'สถานะ', 'ควรตรวจทาน'],
    status: { reported: 'ตรวจแล้ว', unreported: 'ไม่รายงานผล', refused: 'อ่านไม่ได้' },
  },
  en: {
    title: 'Vantrel — answer sheet grading',
    offline: 'Everything runs in this browser; nothing leaves the computer',
    switchLanguage: 'ภาษาไทย',
    keyHeading: '1. Answer key',
    keyHint: 'Type one answer a line (a–e; an empty line grades nothing), or all in a row such as abcdeabcde, or open a key file',
    openKey: 'Open key file',
    noKey: 'No answer key yet',
    keyFromFile: 'Key from the file %s',
    checkingKey: 'Checking the key…',
    scansHeading: '2. Scanned answer sheets',
    dropHere: 'Drop the scans here, or',
    pickScans: 'Choose files',
    scanCount: '%d files',
    grade: 'Grade',
    cancel: 'Stop',
    progress: 'Graded %d of %d files',
    finished: 'Graded %d files',
    cancelled: 'Stopped: graded %d of %d files',
    needKey: 'Enter the answer key first',
    needScans: 'Choose the scans first',
    workerFailed: 'Cannot grade %s: %s',
    resultsHeading: '3. Results',
    saveCsv: 'Save CSV',
    saveCsvExcel: 'Save CSV for Excel',
    columns: ['File', 'Examinee ID', 'Correct', 'Wrong', 'Errors', 'Status', 'To review'],
    status: { reported: 'graded', unreported: 'not reported', refused: 'unreadable' },
  },
};

let gLanguage = 'th';

// The text of a name in the teacher's language, with %d and %s filled in order.
function Say(name, ...values) {
  let text = kTexts[gLanguage][name];
  for (const value of values)
    text = text.replace(/%[ds]/, String(value));
  return text;
}

// Puts every fixed text of the page in the current language.
function ShowTexts() {
  document.documentElement.lang = gLanguage;
  for (const element of document.querySelectorAll('[data-text]'))
    element.textContent = Say(element.dataset.text);
  document.getElementById('language').textContent = Say('switchLanguage');
}

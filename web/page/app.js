// The page: the key, the scans, grading in workers with progress and cancel, the class
// table and the CSV. Everything stays in this browser.
const gKey = new KeyEntry();
let gKeyAnswer = null; // what the core said of the key: { count, messages, header }
let gScans = [];
let gPool = null;
const gTable = new ClassTable(document.getElementById('class-table'));

function Element(id) {
  return document.getElementById(id);
}

// What each status line says, kept as a function so that it is said again in the other
// language when the teacher switches.
const gStatusTexts = new Map();

function ShowStatus(id, text, problem) {
  gStatusTexts.set(id, text);
  Element(id).textContent = text();
  Element(id).classList.toggle('problem', Boolean(problem));
}

// Has the core judge the key as it is now, and says what it said.
async function CheckKey() {
  gKeyAnswer = null;
  document.body.dataset.key = 'checking';
  if (!gKey.bytes) {
    document.body.dataset.key = 'none';
    ShowStatus('key-status', () => Say('noKey'), false);
    return;
  }
  ShowStatus('key-status', () => Say('checkingKey'), false);
  const bytes = gKey.bytes;
  const answer = await GradingPool.CheckKey(bytes);
  if (bytes !== gKey.bytes)
    return; // the key changed meanwhile; its own check reports
  const fileName = gKey.fileName;
  gKeyAnswer = answer;
  ShowStatus('key-status', () => (fileName ? Say('keyFromFile', fileName) + '\n' : '') + answer.messages.trim(),
    answer.count <= 0);
  document.body.dataset.key = answer.count > 0 ? 'ready' : 'refused';
}

function SetScans(files) {
  gScans = Array.from(files);
  ShowStatus('scan-count', () => Say('scanCount', gScans.length), false);
}

let gRenderPending = false;
// The table is drawn again at most twice a second while grading.
function RenderSoon() {
  if (gRenderPending)
    return;
  gRenderPending = true;
  setTimeout(() => {
    gRenderPending = false;
    gTable.Render();
  }, 500);
}

function SetGrading(grading) {
  Element('grade').disabled = grading;
  Element('cancel').disabled = !grading;
  Element('save-csv').disabled = grading || !gTable.HasRows();
  Element('save-csv-excel').disabled = grading || !gTable.HasRows();
}

async function Grade() {
  if (!gKeyAnswer || gKeyAnswer.count <= 0) {
    ShowStatus('progress-text', () => Say('needKey'), true);
    return;
  }
  if (gScans.length === 0) {
    ShowStatus('progress-text', () => Say('needScans'), true);
    return;
  }
  const scans = gScans;
  const workers = Number(new URLSearchParams(location.search).get('workers')) || navigator.hardwareConcurrency || 2;
  gPool = new GradingPool(workers);
  gTable.Start(gKeyAnswer.header, scans.length);
  Element('progress').max = scans.length;
  Element('progress').value = 0;
  ShowStatus('progress-text', () => Say('progress', 0, scans.length), false);
  SetGrading(true);
  document.body.dataset.grading = 'running';
  let done = 0;
  const graded = await gPool.Run(gKey.bytes, scans, (index, rows, failure) => {
    gTable.SetGraded(index, rows, failure ? Say('workerFailed', scans[index].name, failure) : '');
    ++done;
    Element('progress').value = done;
    ShowStatus('progress-text', () => Say('progress', done, scans.length), false);
    RenderSoon();
  });
  gPool = null;
  gTable.Render();
  const finished = graded === scans.length;
  ShowStatus('progress-text', () => finished ? Say('finished', graded) : Say('cancelled', graded, scans.length), false);
  SetGrading(false);
  document.body.dataset.grading = finished ? 'finished' : 'cancelled';
}

function Setup() {
  ShowTexts();
  ShowStatus('key-status', () => Say('noKey'), false);
  Element('language').addEventListener('click', () => {
    gLanguage = gLanguage === 'th' ? 'en' : 'th';
    ShowTexts();
    gTable.Render();
    for (const [id, text] of gStatusTexts)
      Element(id).textContent = text();
  });
  // The key is checked once the teacher pauses typing, not at every key press.
  let typing = null;
  Element('key-text').addEventListener('input', () => {
    gKey.SetTyped(Element('key-text').value);
    gKeyAnswer = null;
    document.body.dataset.key = 'checking';
    clearTimeout(typing);
    typing = setTimeout(CheckKey, 300);
  });
  Element('key-file').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (!file)
      return;
    await gKey.SetFile(file);
    Element('key-text').value = '';
    CheckKey();
  });
  Element('scan-files').addEventListener('change', (event) => SetScans(event.target.files));
  const drop = Element('drop-zone');
  drop.addEventListener('dragover', (event) => {
    event.preventDefault();
    drop.classList.add('over');
  });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', (event) => {
    event.preventDefault();
    drop.classList.remove('over');
    SetScans(event.dataTransfer.files);
  });
  // A file dropped beside the zone is not opened in place of the page.
  window.addEventListener('dragover', (event) => event.preventDefault());
  window.addEventListener('drop', (event) => event.preventDefault());
  Element('grade').addEventListener('click', Grade);
  Element('cancel').addEventListener('click', () => gPool && gPool.Cancel());
  Element('save-csv').addEventListener('click', () => SaveText('vantrel.csv', gTable.CsvText(), 'text/csv'));
  Element('save-csv-excel').addEventListener('click', () =>
    SaveText('vantrel-excel.csv', kByteOrderMark + gTable.CsvText(), 'text/csv'));
  gTable.Render();
}

Setup();

// Grades scans in workers, one per core (file:// gives no wasm threads, so each worker is a
// module of its own). Each worker asks for the next scan when it is done with one, and the
// results are delivered by index, so the CSV keeps the order the scans were given in.
// Scans posted to a worker ahead of the one it grades.
const kScansAheadPerWorker = 2;

class GradingPool {
  constructor(workerCount) {
    this.workerCount = Math.max(1, workerCount);
    this.workers = new Set();
    this.stop = null;
  }

  // Starts one worker with the key; onKey gets the core's answer to the key.
  static StartWorker(url, keyBytes, onMessage) {
    const worker = new Worker(url);
    worker.onmessage = (event) => onMessage(worker, event.data);
    worker.onerror = (event) => {
      event.preventDefault();
      onMessage(worker, { type: 'crashed', failure: event.message || 'worker error' });
    };
    worker.postMessage({ type: 'key', bytes: keyBytes.slice().buffer });
    return worker;
  }

  // What the core says of the key (count of questions graded, messages, the CSV header).
  static CheckKey(keyBytes) {
    return new Promise((resolve) => {
      const url = URL.createObjectURL(new Blob([kWorkerSource], { type: 'text/javascript' }));
      GradingPool.StartWorker(url, keyBytes, (worker, message) => {
        worker.terminate();
        URL.revokeObjectURL(url);
        resolve(message.type === 'key' ? message : { count: -1, messages: message.failure, header: '' });
      });
    });
  }

  // Grades the files; onGraded(index, rows, failure) as each one is done. Resolves with the
  // number graded once all are, or when Cancel() is called.
  Run(keyBytes, files, onGraded) {
    return new Promise((resolve) => {
      const url = URL.createObjectURL(new Blob([kWorkerSource], { type: 'text/javascript' }));
      const waiting = files.map((file, index) => index).reverse(); // next scan last
      let done = 0;
      const sent = new Map(); // worker -> the scans posted to it, in the order it grades them
      const feeding = new Set();
      const finish = () => {
        for (const worker of this.workers)
          worker.terminate();
        this.workers.clear();
        this.stop = null;
        URL.revokeObjectURL(url);
        resolve(done);
      };
      this.stop = finish;
      // Keeps a few scans posted to the worker, so that it never waits for the page to read
      // the next file; one loop a worker, so the scans reach it in the order it lists them.
      const feed = async (worker) => {
        if (feeding.has(worker))
          return;
        feeding.add(worker);
        const posted = sent.get(worker);
        while (waiting.length > 0 && posted.length < kScansAheadPerWorker && this.workers.has(worker)) {
          const index = waiting.pop();
          posted.push(index);
          const bytes = await files[index].arrayBuffer();
          if (this.workers.has(worker))
            worker.postMessage({ type: 'grade', index, name: files[index].name, bytes }, [bytes]);
        }
        feeding.delete(worker);
        if (posted.length === 0 && this.workers.delete(worker))
          worker.terminate();
      };
      const deliver = (index, rows, failure) => {
        ++done;
        onGraded(index, rows, failure);
        if (done === files.length)
          finish();
      };
      const start = () => {
        const worker = GradingPool.StartWorker(url, keyBytes, onMessage);
        sent.set(worker, []);
        this.workers.add(worker);
      };
      const onMessage = (worker, message) => {
        if (!this.workers.has(worker))
          return;
        const posted = sent.get(worker);
        if (message.type === 'key') {
          feed(worker);
        } else if (message.type === 'graded') {
          posted.shift();
          deliver(message.index, message.rows, message.failure);
          feed(worker);
        } else if (message.type === 'crashed') {
          // The scan that broke its worker is reported, the ones posted after it go back to
          // wait, and another worker takes its place.
          worker.terminate();
          this.workers.delete(worker);
          const [broken, ...unread] = posted;
          waiting.push(...unread.reverse());
          if (broken !== undefined) {
            deliver(broken, '', message.failure);
            if (this.stop && waiting.length > 0)
              start();
          } else if (this.workers.size === 0) {
            // No worker could start its module: nothing can be graded here.
            while (waiting.length > 0)
              deliver(waiting.pop(), '', message.failure);
          }
        }
      };
      for (let i = 0; i < Math.min(this.workerCount, files.length); ++i)
        start();
      if (files.length === 0)
        finish();
    });
  }

  // Stops every worker at once; the scans not yet graded stay so.
  Cancel() {
    if (this.stop)
      this.stop();
  }
}

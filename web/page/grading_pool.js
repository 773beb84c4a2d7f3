// Grades scans in workers, one per core (file:// gives no wasm threads, so each worker is a
// module of its own). Each worker asks for the next scan when it is done with one, and the
// results are delivered by index, so the CSV keeps the order the scans were given in.
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
      let next = 0;
      let done = 0;
      const busy = new Map(); // worker -> index of the scan it grades
      const finish = () => {
        for (const worker of this.workers)
          worker.terminate();
        this.workers.clear();
        this.stop = null;
        URL.revokeObjectURL(url);
        resolve(done);
      };
      this.stop = finish;
      const feed = async (worker) => {
        if (next >= files.length) {
          worker.terminate();
          this.workers.delete(worker);
          return;
        }
        const index = next++;
        busy.set(worker, index);
        const bytes = await files[index].arrayBuffer();
        if (this.workers.has(worker))
          worker.postMessage({ type: 'grade', index, name: files[index].name, bytes }, [bytes]);
      };
      const deliver = (index, rows, failure) => {
        ++done;
        onGraded(index, rows, failure);
        if (done === files.length)
          finish();
      };
      const onMessage = (worker, message) => {
        if (!this.workers.has(worker))
          return;
        if (message.type === 'key') {
          feed(worker);
        } else if (message.type === 'graded') {
          busy.delete(worker);
          deliver(message.index, message.rows, message.failure);
          if (this.workers.has(worker))
            feed(worker);
        } else if (message.type === 'crashed') {
          // The scan that broke its worker is reported; another worker takes its place.
          worker.terminate();
          this.workers.delete(worker);
          const index = busy.get(worker);
          busy.delete(worker);
          if (index !== undefined) {
            deliver(index, '', message.failure);
            if (this.stop && next < files.length)
              this.workers.add(GradingPool.StartWorker(url, keyBytes, onMessage));
          } else if (this.workers.size === 0) {
            // No worker could start its module: nothing can be graded here.
            while (next < files.length)
              deliver(next++, '', message.failure);
          }
        }
      };
      const count = Math.min(this.workerCount, files.length);
      for (let i = 0; i < count; ++i)
        this.workers.add(GradingPool.StartWorker(url, keyBytes, onMessage));
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

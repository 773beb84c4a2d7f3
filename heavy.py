import zlib, sys
n=int(sys.argv[1]); out=sys.argv[2]
ops=[]
import random
r=random.Random(1)
for i in range(n):
    x=r.uniform(0,595); y=r.uniform(0,842)
    ops.append(f"{x:.2f} {y:.2f} m {x+0.3:.2f} {y:.2f} l {x:.2f} {y+0.3:.2f} l f")
content=zlib.compress(("0 g\n"+"\n".join(ops)).encode(),9)
objs=[b"<< /Type /Catalog /Pages 2 0 R >>", b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
 b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R >>",
 b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(content)+content+b"\nendstream"]
pdf=b"%PDF-1.4\n"; offs=[]
for i,o in enumerate(objs):
    offs.append(len(pdf)); pdf+=b"%d 0 obj\n"%(i+1)+o+b"\nendobj\n"
x=len(pdf); pdf+=b"xref\n0 %d\n0000000000 65535 f \n"%(len(objs)+1)
for o in offs: pdf+=b"%010d 00000 n \n"%o
pdf+=b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n"%(len(objs)+1,x)
open(out,'wb').write(pdf)
